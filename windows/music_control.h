#pragma once

#include <QObject>
#include <QString>

class MainMenu;
class MusicDevice;

// The background tune: its menu, the loop, and where games, pause and help start and stop it.
class MusicControl : public QObject {
    Q_OBJECT
public:
    MusicControl(MusicDevice& device, MainMenu& menu, QString programDir, QObject* parent);

    void SetMusic();
    void PlayMusic();
    void StopMusic();
    void MusicOn_Click();
    void MusicOff_Click();
    // The loop, on every status notification of the device.
    void MMControl1_StatusUpdate();

    // New Game's last step: the tune starts with the first game played with music on.
    void newGameStarted();
    // Help has closed: the tune resumes only if a game started it, music is on and the game is not paused.
    void helpClosed();

    bool MusicStarted() const { return MusicStarted_; }
    void clearMusicStarted() { MusicStarted_ = false; }

private:
    bool musicOn() const;

    MusicDevice& MMControl1_;
    MainMenu& menu_;
    QString programDir_;
    bool MusicStarted_ = false;
};
