#pragma once

#include "audio/pcm_music_device.h"
#include "audio/qt_sound_player.h"
#include "audio/tune_render_process.h"
#include "core/music/audio_devices.h"

// The game's real audio: sound effects through Qt Multimedia and the tune rendered once and played from memory.
class QtAudioDevices : public AudioDevices {
public:
    // The tune renderer is the program of that name in programDir.
    explicit QtAudioDevices(const QString& programDir)
        : music_(programDir + QLatin1Char('/') + QLatin1String(TuneRenderProcess::ProgramName))
    {
    }

    SoundPlayer& sound() override { return sound_; }
    MusicDevice& music() override { return music_; }

private:
    QtSoundPlayer sound_;
    PcmMusicDevice music_;
};
