#pragma once

#include "core/music/audio_devices.h"
#include "core/rules/steady_time_source.h"
#include "core/scores/score_store.h"
#include "ui/modal_dialogs.h"
#include "windows/services.h"

#include <memory>

// The devices, files and windows the real program plays on. Built once the splash is on screen: the audio
// module and its sound system are loaded here.
class RealServices {
public:
    RealServices();

    Services services();

private:
    QString programDir_;
    std::unique_ptr<AudioDevices> audio_;
    SteadyTimeSource time_;
    ModalDialogs dialogs_;
    ScoreStore scores_;
};
