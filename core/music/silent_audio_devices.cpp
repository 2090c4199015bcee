#include "core/music/silent_audio_devices.h"

#include "core/music/music_device.h"
#include "core/music/sound_player.h"

namespace {
class SilentSoundPlayer : public SoundPlayer {
public:
    void play(const QString&) override {}
};

// Always closed: position 0, never at the end, no status updates.
class SilentMusicDevice : public MusicDevice {
public:
    void open(const QString&) override {}
    void play() override {}
    void stop() override {}
    void prev() override {}
    qint64 position() const override { return 0; }
    bool atEnd() const override { return false; }
};
} // namespace

struct SilentAudioDevices::Devices {
    SilentSoundPlayer sound;
    SilentMusicDevice music;
};

SilentAudioDevices::SilentAudioDevices() : devices_(std::make_unique<Devices>()) {}

SilentAudioDevices::~SilentAudioDevices() = default;

SoundPlayer& SilentAudioDevices::sound()
{
    return devices_->sound;
}

MusicDevice& SilentAudioDevices::music()
{
    return devices_->music;
}
