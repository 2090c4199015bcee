#pragma once

#include "core/music/music_device.h"

#include <QStringList>

// A music device that records its commands and whose position a test sets.
class RecordingMusicDevice : public MusicDevice {
    Q_OBJECT
public:
    using MusicDevice::MusicDevice;

    void open(const QString& path) override { commands.append(QStringLiteral("open ") + path); }
    void play() override { commands.append(QStringLiteral("play")); playing = true; }
    void stop() override { commands.append(QStringLiteral("stop")); playing = false; }
    void prev() override { commands.append(QStringLiteral("prev")); pos = 0; ended = false; }
    qint64 position() const override { return pos; }
    bool atEnd() const override { return ended; }

    // Moves the song to a position and sends the status notification the loop runs on.
    void reach(qint64 position, bool end = false)
    {
        pos = position;
        ended = end;
        Q_EMIT statusUpdate();
    }

    QStringList commands;
    bool playing = false;
    qint64 pos = 0;
    bool ended = false;
};
