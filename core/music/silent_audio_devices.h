#pragma once

#include "core/music/audio_devices.h"

#include <memory>

// Audio for a game without its audio module: every sound and every music command does nothing.
class SilentAudioDevices : public AudioDevices {
public:
    SilentAudioDevices();
    ~SilentAudioDevices() override;

    SoundPlayer& sound() override;
    MusicDevice& music() override;

private:
    struct Devices;
    std::unique_ptr<Devices> devices_;
};
