#include "windows/music_control.h"

#include "windows/main_menu.h"
#include "core/music/music_device.h"
#include "core/music/music_loop.h"

#include <QAction>

MusicControl::MusicControl(MusicDevice& device, MainMenu& menu, QString programDir, QObject* parent)
    : QObject(parent), MMControl1_(device), menu_(menu), programDir_(std::move(programDir))
{
    connect(&MMControl1_, &MusicDevice::statusUpdate, this, &MusicControl::MMControl1_StatusUpdate);
}

void MusicControl::SetMusic()
{
    MMControl1_.open(programDir_ + QStringLiteral("/amalia2.mid"));
}

void MusicControl::PlayMusic()
{
    MMControl1_.play();
}

void MusicControl::StopMusic()
{
    MMControl1_.stop();
}

void MusicControl::MusicOn_Click()
{
    if (!menu_.MusicOff->isChecked())
        return;
    menu_.MusicOn->setChecked(true);
    menu_.MusicOff->setChecked(false);
    if (menu_.EndGame->isEnabled())
        PlayMusic();
}

void MusicControl::MusicOff_Click()
{
    menu_.MusicOff->setChecked(true);
    menu_.MusicOn->setChecked(false);
    StopMusic();
}

void MusicControl::MMControl1_StatusUpdate()
{
    if (MusicLoop::shouldRestart(MMControl1_.position(), MMControl1_.atEnd())) {
        MMControl1_.prev();
        MMControl1_.play();
    }
}

void MusicControl::newGameStarted()
{
    if (musicOn() && !MusicStarted_) {
        MMControl1_.prev();
        PlayMusic();
        MusicStarted_ = true;
    }
}

void MusicControl::helpClosed()
{
    if (MusicStarted_ && musicOn() && !menu_.Pause->isChecked())
        PlayMusic();
}

bool MusicControl::musicOn() const
{
    return menu_.MusicOn->isChecked();
}
