#pragma once

#include <QtGlobal>

// When the background tune starts over from the beginning ("prev" then "play").
class MusicLoop {
public:
    // The repeat point of "amalia2.mid", in sixteenth notes.
    static constexpr qint64 LoopPoint = 663;
    // A background tune is tens of kilobytes; neither the game nor its renderer reads a larger file than this.
    static constexpr qint64 MaxTuneBytes = 4 * 1024 * 1024;

    // A replacement tune shorter than the loop point would otherwise end and stay silent, so its end restarts it too.
    static constexpr bool shouldRestart(qint64 position, bool atEnd) { return atEnd || position >= LoopPoint; }
};
