#pragma once

#include "core/music/music_device.h"

#include <memory>

// The game's music device: the tune rendered once and played as sampled sound. For a while bench/run can
// still ask for the tune played live on FluidSynth, to measure both in one run.
class MusicDeviceChoice {
public:
    // Set by bench/run only.
    static constexpr const char* LiveVariable = "HOPNIX_BENCH_LIVE_MUSIC";

    static std::unique_ptr<MusicDevice> create();
};
