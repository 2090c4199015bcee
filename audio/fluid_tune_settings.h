#pragma once

#include <fluidsynth/types.h>

// The FluidSynth settings the background tune is made with: its level, voices and effects.
class FluidTuneSettings {
public:
    static constexpr int SampleRate = 44100;

    // Nothing if FluidSynth cannot make settings; the caller deletes them.
    static fluid_settings_t* create();
    // FluidSynth prints its own diagnostics; the game shows none.
    static void silenceLog();
};
