#pragma once

#include "core/music/sound_player.h"

#include <QString>

#include <map>
#include <memory>

class QSoundEffect;

// Sound effects through Qt Multimedia. Without an audio server or output, or for a file that is missing or
// not a wave file Qt can decode, play() does nothing, and quietly: the checks come before Qt would warn.
class QtSoundPlayer : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;

    void play(const QString& path) override;

private:
    QSoundEffect* effectFor(const QString& path);

    // One loaded effect per path, so a repeated sound starts without decoding the file again.
    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
};
