#pragma once

#include <QString>
#include <QtGlobal>

// One result in a board's table.
struct HighScoreEntry {
    QString Name;
    qint16 Pegs = 99;
    // Playing time in days, one second being 1/86400.
    double Time = 0.0;

    friend bool operator==(const HighScoreEntry&, const HighScoreEntry&) = default;
};
