#include "audio/tune_renderer.h"

#include "audio/midi_programs.h"
#include "core/music/rendered_loop.h"

#include <fluidsynth.h>
#include <malloc.h>

#include <algorithm>

namespace {
constexpr qint64 BlockFrames = 4096;
// Sustain and sostenuto pedals would hold released notes past the loop point.
constexpr int SustainPedal = 64;
constexpr int SostenutoPedal = 66;
// A tail cut short fades out over this long rather than stopping dead.
constexpr qint64 FadeFrames = FluidTuneSettings::SampleRate / 50;

// The synthesizer and everything it loaded, freed together; afterwards the freed heap goes back to the system.
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
        // The soundfont's tens of megabytes would otherwise stay with the process for good.
        malloc_trim(0);
    }
    Synth(const Synth&) = delete;
    Synth& operator=(const Synth&) = delete;

    bool load(const QString& soundfont, const QByteArray& midi)
    {
        if (synth_ == nullptr)
            return false;
        const int font = fluid_synth_sfload(synth_, soundfont.toLocal8Bit().constData(), 1);
        if (font == FLUID_FAILED)
            return false;
        // With samples loaded on demand, the tune's instruments are loaded here rather than mid-render.
        for (const MidiPrograms::Preset& preset : MidiPrograms::scan(midi))
            fluid_synth_pin_preset(synth_, font, preset.bank, preset.program);
        player_ = new_fluid_player(synth_);
        return player_ != nullptr
            && fluid_player_add_mem(player_, midi.constData(), static_cast<size_t>(midi.size())) == FLUID_OK
            && fluid_player_play(player_) == FLUID_OK;
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

void fadeOut(qint16* frames, qint64 count)
{
    const qint64 fade = std::min(count, FadeFrames);
    for (qint64 i = 0; i < fade; ++i) {
        const double gain = double(fade - i) / double(fade + 1);
        for (int c = 0; c < RenderedLoop::Channels; ++c) {
            qint16& sample = frames[(count - fade + i) * RenderedLoop::Channels + c];
            sample = static_cast<qint16>(sample * gain);
        }
    }
}
} // namespace

bool TuneRenderer::render(const QString& soundfont, const QByteArray& midi, RenderedLoop& loop,
    const std::atomic<bool>& cancel, const std::function<void()>& firstFrames)
{
    FluidTuneSettings::silenceLog();
    // Allocated before the synthesizer, so freeing that leaves no hole beneath the audio that stays.
    loop.allocate();
    Synth synth;
    if (!synth.load(soundfont, midi))
        return false;
    for (qint64 done = 0; done < loop.loopFrames();) {
        if (cancel.load())
            return false;
        const qint64 count = std::min(BlockFrames, loop.loopFrames() - done);
        synth.write(loop.pass() + done * RenderedLoop::Channels, count);
        const bool first = done == 0;
        done += count;
        loop.publish(done);
        if (first && firstFrames)
            firstFrames();
    }
    synth.releaseAll();
    qint64 tail = 0;
    while (tail < loop.tailCapacity() && !synth.isSilent()) {
        const qint64 count = std::min(BlockFrames, loop.tailCapacity() - tail);
        synth.write(loop.tail() + tail * RenderedLoop::Channels, count);
        tail += count;
    }
    if (!synth.isSilent())
        fadeOut(loop.tail(), tail);
    loop.finish(tail);
    return true;
}
