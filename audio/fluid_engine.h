#pragma once

#include "audio/fluid_tune_settings.h"

#include <fluidsynth/types.h>

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>
#include <vector>

// One FluidSynth synthesiser with its soundfont, a MIDI file player and, unless rendering offline,
// an audio driver. Built in one go (the soundfont load takes a while) and then driven from the UI thread
// while the driver's thread renders.
class FluidEngine {
public:
    static constexpr int SampleRate = FluidTuneSettings::SampleRate;

    enum class Output {
        AudioDriver,
        // No driver: the owner renders audio itself, and the player's clock advances with those samples.
        Offline,
    };

    // Nothing when the soundfont does not load or no audio driver opens.
    static std::unique_ptr<FluidEngine> create(const QString& soundfont, const QByteArray& midi, Output output);
    // FluidSynth, libinstpatch and libasound print their own diagnostics; the game shows none, so they are
    // silenced once.
    static void silenceLibraries();

    ~FluidEngine();
    FluidEngine(const FluidEngine&) = delete;
    FluidEngine& operator=(const FluidEngine&) = delete;

    void play();
    // Keeps the position; the next play goes on from there.
    void stop();
    // Back to the start. The player only moves at its next rendered block, so until then currentTick() reads 0.
    void rewind();
    int currentTick() const;
    // The player ran past the song's last event while told to play.
    bool atEnd() const;

    // Offline only: the next frames of stereo audio, interleaved left/right.
    std::vector<float> render(int frames);

private:
    FluidEngine() = default;
    bool load(const QString& soundfont, const QByteArray& midi, Output output);
    bool openDriver();
    void closeDriver();
    static int onTick(void* data, int tick);

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_player_t* player_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
    // Plays through an audio driver, open only while the tune plays.
    bool usesDriver_ = false;
    bool playing_ = false;
    // Set by rewind(), cleared by the rendering thread once the player reports a tick before the old one.
    std::atomic<bool> rewindPending_ = false;
    std::atomic<int> rewindFromTick_ = 0;
};
