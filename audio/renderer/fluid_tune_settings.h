#pragma once

#include "core/music/loop_timing.h"

#include <fluidsynth/types.h>

#include <QByteArray>
#include <QString>

// The FluidSynth settings the background tune is made with: its level, voices and effects.
class FluidTuneSettings {
public:
    static constexpr int SampleRate = static_cast<int>(LoopTiming::SampleRate);

    // Nothing if FluidSynth cannot make settings; the caller deletes them.
    static fluid_settings_t* create();
    // Loads the soundfont with the tune's instruments pinned and a player holding the tune; nothing on
    // failure. The caller deletes the player.
    static fluid_player_t* loadTune(fluid_synth_t* synth, const QString& soundfont, const QByteArray& midi);
    // FluidSynth prints its own diagnostics; the game shows none.
    static void silenceLog();
};
