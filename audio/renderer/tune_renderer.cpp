#include "audio/renderer/tune_renderer.h"

#include "core/music/rendered_loop.h"

#include <fluidsynth.h>

#include <algorithm>

namespace {
constexpr qint64 BlockFrames = 4096;
// Sustain and sostenuto pedals would hold released notes past the loop point.
constexpr int SustainPedal = 64;
constexpr int SostenutoPedal = 66;
// A tail cut short fades out over this long rather than stopping dead.
constexpr qint64 FadeFrames = FluidTuneSettings::SampleRate / 50;

// The synthesizer with the tune's soundfont and a player for the tune, freed together.
class Synth {
public:
    Synth() : settings_(FluidTuneSettings::create())
    {
        if (settings_ != nullptr)
            synth_ = new_fluid_synth(settings_);
    }
    ~Synth()
    {
        stopPlayer();
        if (synth_ != nullptr)
            delete_fluid_synth(synth_);
        if (settings_ != nullptr)
            delete_fluid_settings(settings_);
    }
    Synth(const Synth&) = delete;
    Synth& operator=(const Synth&) = delete;

    bool load(const QString& soundfont, const QByteArray& midi)
    {
        if (synth_ == nullptr)
            return false;
        player_ = FluidTuneSettings::loadTune(synth_, soundfont, midi);
        return player_ != nullptr && fluid_player_play(player_) == FLUID_OK;
    }

    void write(qint16* frames, qint64 count)
    {
        fluid_synth_write_s16(synth_, static_cast<int>(count), frames, 0, RenderedLoop::Channels, frames, 1,
            RenderedLoop::Channels);
    }

    // No further events from the file; every sounding note goes into its release.
    void releaseAll()
    {
        stopPlayer();
        for (int channel = 0; channel < fluid_synth_count_midi_channels(synth_); ++channel) {
            fluid_synth_cc(synth_, channel, SustainPedal, 0);
            fluid_synth_cc(synth_, channel, SostenutoPedal, 0);
        }
        fluid_synth_all_notes_off(synth_, -1);
    }

    bool isSilent() const { return fluid_synth_get_active_voice_count(synth_) == 0; }

private:
    void stopPlayer()
    {
        // Deleting the player, rather than stopping it, keeps it from cutting the sounding notes off.
        if (player_ != nullptr)
            delete_fluid_player(player_);
        player_ = nullptr;
    }

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_player_t* player_ = nullptr;
};

void fadeOut(std::vector<qint16>& samples)
{
    const qint64 frames = static_cast<qint64>(samples.size()) / RenderedLoop::Channels;
    const qint64 fade = std::min(frames, FadeFrames);
    for (qint64 i = 0; i < fade; ++i) {
        const double gain = double(fade - i) / double(fade + 1);
        for (int c = 0; c < RenderedLoop::Channels; ++c) {
            qint16& sample = samples[static_cast<size_t>((frames - fade + i) * RenderedLoop::Channels + c)];
            sample = static_cast<qint16>(sample * gain);
        }
    }
}
} // namespace

std::optional<std::vector<qint16>> TuneRenderer::render(const QString& soundfont, const QByteArray& midi,
    qint64 loopFrames, const PassSink& pass)
{
    FluidTuneSettings::silenceLog();
    Synth synth;
    if (!synth.load(soundfont, midi))
        return std::nullopt;
    std::vector<qint16> block(static_cast<size_t>(BlockFrames * RenderedLoop::Channels));
    for (qint64 done = 0; done < loopFrames;) {
        const qint64 count = std::min(BlockFrames, loopFrames - done);
        synth.write(block.data(), count);
        if (!pass(block.data(), count))
            return std::nullopt;
        done += count;
    }
    synth.releaseAll();
    std::vector<qint16> tail;
    for (qint64 frames = 0; frames < MaxTailFrames && !synth.isSilent();) {
        const qint64 count = std::min(BlockFrames, MaxTailFrames - frames);
        synth.write(block.data(), count);
        tail.insert(tail.end(), block.begin(), block.begin() + count * RenderedLoop::Channels);
        frames += count;
    }
    if (!synth.isSilent())
        fadeOut(tail);
    return tail;
}
