#include "windows/music_control.h"

#include "windows/main_menu.h"
#include "core/music/music_device.h"
#include "core/music/music_loop.h"

#include <QAction>

MusicControl::MusicControl(MusicDevice& device, MainMenu& menu, QString programDir, QObject* parent)
    : QObject(parent), device_(device), menu_(menu), programDir_(std::move(programDir))
{
    connect(&device_, &MusicDevice::statusUpdate, this, &MusicControl::onDeviceStatus);
}

void MusicControl::setUpMusic()
{
    device_.open(programDir_ + QStringLiteral("/amalia2.mid"));
}

void MusicControl::playMusic()
{
    device_.play();
}

void MusicControl::stopMusic()
{
    device_.stop();
}

void MusicControl::switchMusicOn()
{
    if (!menu_.MusicOff->isChecked())
        return;
    menu_.MusicOn->setChecked(true);
    menu_.MusicOff->setChecked(false);
    if (menu_.EndGame->isEnabled())
        playMusic();
}

void MusicControl::switchMusicOff()
{
    menu_.MusicOff->setChecked(true);
    menu_.MusicOn->setChecked(false);
    stopMusic();
}

void MusicControl::onDeviceStatus()
{
    if (MusicLoop::shouldRestart(device_.position(), device_.atEnd())) {
        device_.prev();
        device_.play();
    }
}

void MusicControl::newGameStarted()
{
    if (musicOn() && !musicStarted_) {
        device_.prev();
        playMusic();
        musicStarted_ = true;
    }
}

void MusicControl::helpClosed()
{
    if (musicStarted_ && musicOn() && !menu_.Pause->isChecked())
        playMusic();
}

bool MusicControl::musicOn() const
{
    return menu_.MusicOn->isChecked();
}
