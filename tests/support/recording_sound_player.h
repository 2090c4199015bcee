#pragma once

#include "core/music/sound_player.h"

#include <QStringList>

// Remembers every sound the game asked for, in order.
class RecordingSoundPlayer : public SoundPlayer {
public:
    void play(const QString& path) override { played.append(path); }

    QStringList played;
};
