#include "windows/music_control.h"

#include "core/rules/game_session.h"
#include "core/music/music_device.h"
#include "core/music/music_loop.h"


MusicControl::MusicControl(MusicDevice& device, GameSession& session, QString programDir, QObject* parent)
    : QObject(parent), device_(device), session_(session), programDir_(std::move(programDir))
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
    if (session_.musicOn())
        return;
    session_.setMusicOn(true);
    if (session_.inGame())
        playMusic();
}

void MusicControl::switchMusicOff()
{
    session_.setMusicOn(false);
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
    if (session_.musicOn() && !session_.musicStarted()) {
        device_.prev();
        playMusic();
        session_.markMusicStarted();
    }
}

void MusicControl::helpClosed()
{
    if (session_.musicStarted() && session_.musicOn() && session_.phase() != GameSession::Phase::Paused)
        playMusic();
}

