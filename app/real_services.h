#pragma once

#include "ui/modal_dialogs.h"
#include "core/settings/qt_settings_store.h"
#include "windows/services.h"
#include "core/rules/steady_time_source.h"
#include "core/music/music_device.h"
#include "audio/qt_sound_player.h"
#include "core/scores/score_store.h"

#include <memory>

// The devices, files and windows the real program plays on.
class RealServices {
public:
    RealServices();

    Services services();
    const SettingsStore& settings() const { return settings_; }

private:
    QString programDir_;
    QtSoundPlayer sound_;
    std::unique_ptr<MusicDevice> music_;
    SteadyTimeSource time_;
    ModalDialogs dialogs_;
    QtSettingsStore settings_;
    ScoreStore scores_;
};
