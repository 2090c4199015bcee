#pragma once

#include <QObject>
#include <QString>

class GameSession;
class MusicDevice;

// The background tune: its menu, the loop, and where games, pause and help start and stop it.
class MusicControl : public QObject {
    Q_OBJECT
public:
    MusicControl(MusicDevice& device, GameSession& session, QString programDir, QObject* parent);

    void setUpMusic();
    void playMusic();
    void stopMusic();
    void switchMusicOn();
    void switchMusicOff();
    // The loop, on every status notification of the device.
    void onDeviceStatus();

    // New Game's last step: the tune starts with the first game played with music on.
    void newGameStarted();
    // Help has closed: the tune resumes only if a game started it, music is on and the game is not paused.
    void helpClosed();

private:
    MusicDevice& device_;
    GameSession& session_;
    QString programDir_;
};
