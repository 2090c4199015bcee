#include "audio/renderer/fluid_tune_settings.h"

#include "core/music/midi_programs.h"

#include <fluidsynth.h>

#include <mutex>

namespace {
void ignoreFluidLog(int, const char*, void*) {}
} // namespace

fluid_settings_t* FluidTuneSettings::create()
{
    fluid_settings_t* settings = new_fluid_settings();
    if (settings == nullptr)
        return nullptr;
    // Samples are read from the soundfont only for the instruments the tune selects: the General MIDI
    // soundfont is about 150 MB, of which the tune needs a few.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    // The player's clock follows the rendered samples, not the wall clock.
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setnum(settings, "synth.sample-rate", SampleRate);
    // A background level: the tune peaks around -10 dBFS, below the sound effects.
    fluid_settings_setnum(settings, "synth.gain", 0.5);
    // The tune needs few voices and no effects.
    fluid_settings_setint(settings, "synth.polyphony", 64);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    fluid_settings_setint(settings, "synth.reverb.active", 0);
    return settings;
}

void FluidTuneSettings::silenceLog()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = 0; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, ignoreFluidLog, nullptr);
    });
}

fluid_player_t* FluidTuneSettings::loadTune(fluid_synth_t* synth, const QString& soundfont, const QByteArray& midi)
{
    const int font = fluid_synth_sfload(synth, soundfont.toLocal8Bit().constData(), 1);
    if (font == FLUID_FAILED)
        return nullptr;
    // Samples load on demand; loading them when the tune first selects an instrument would stall the
    // synthesizer mid-tune, so the tune's instruments are loaded here.
    for (const MidiPrograms::Preset& preset : MidiPrograms::scan(midi))
        fluid_synth_pin_preset(synth, font, preset.bank, preset.program);
    fluid_player_t* player = new_fluid_player(synth);
    if (player != nullptr && fluid_player_add_mem(player, midi.constData(), static_cast<size_t>(midi.size())) != FLUID_OK) {
        delete_fluid_player(player);
        return nullptr;
    }
    return player;
}
