#pragma once

class MusicDevice;
class SoundPlayer;

// The sound effects and the music device together, as one audio back end provides them. The game loads the
// real one at run time from its audio module, so nothing of the sound system is mapped before the splash.
class AudioDevices {
public:
    // The module's one entry: `AudioDevices* hopnix_create_audio_devices(const char* programDir)`, the
    // directory holding the game's programs; the caller owns what it returns.
    static constexpr const char* ModuleEntry = "hopnix_create_audio_devices";
    using ModuleEntryFunction = AudioDevices* (*)(const char* programDir);

    AudioDevices() = default;
    virtual ~AudioDevices() = default;
    AudioDevices(const AudioDevices&) = delete;
    AudioDevices& operator=(const AudioDevices&) = delete;

    virtual SoundPlayer& sound() = 0;
    virtual MusicDevice& music() = 0;
};
