#pragma once

#include <QString>

// Plays a wave file in the background; the game never waits for it or asks how it went.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the file at path and returns at once; a missing file or device is silently ignored.
    virtual void play(const QString& path) = 0;
};
