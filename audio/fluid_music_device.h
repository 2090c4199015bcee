#pragma once

#include "core/music/music_device.h"
#include "core/music/midi_header.h"

#include <QStringList>
#include <QTimer>

#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class FluidEngine;

// The background tune played live on FluidSynth with a General MIDI soundfont, kept so bench/run can set it
// beside the rendered tune. open() returns at once: the soundfont loads on a worker thread, and commands given
// meanwhile take effect when it is ready. Without the file, a soundfont or an audio output every command does
// nothing and the position reads 0.
class FluidMusicDevice : public MusicDevice {
    Q_OBJECT
public:
    enum class Output {
        AudioDriver,
        // For tests: no audio driver; audio is made only as render() asks for it.
        Offline,
    };

    // Status updates come this often while the device plays, so the loop restarts the tune at most this
    // late; stopped or between games the timer does not run, and an idle game wakes nobody.
    static constexpr int StatusIntervalMs = 100;

    explicit FluidMusicDevice(QObject* parent = nullptr);
    // soundfontSearch: soundfont files and directories tried in order; a directory offers its first *.sf2.
    FluidMusicDevice(Output output, QStringList soundfontSearch, QObject* parent = nullptr);
    ~FluidMusicDevice() override;

    void open(const QString& path) override;
    void play() override;
    void stop() override;
    void prev() override;
    qint64 position() const override;
    bool atEnd() const override;

    // The soundfont and the file are loaded and the device plays when told.
    bool isReady() const;
    // Blocks until the load started by open() has succeeded or failed.
    void waitUntilLoaded();
    // Offline only: renders the next frames of stereo audio at the synthesiser's rate (interleaved left/right).
    std::vector<float> render(int frames);
    static constexpr int SampleRate = 44100;

private:
    void close();
    void install(std::unique_ptr<FluidEngine> engine);
    void onStatusTimer();

    const Output output_;
    const QStringList soundfontSearch_;
    MidiHeader header_;
    QTimer statusTimer_;
    std::thread loader_;
    // UI thread only: a file and a soundfont were found, so a load was started.
    bool opened_ = false;
    // Guards the rest against the loader thread.
    mutable std::mutex mutex_;
    std::unique_ptr<FluidEngine> engine_;
    bool loadFinished_ = false;
    bool closing_ = false;
    // Commands given while loading, applied when the engine arrives.
    bool wantPlaying_ = false;
    bool wantRewind_ = false;
};
