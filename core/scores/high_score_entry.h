#pragma once

#include <QString>
#include <QtGlobal>

// One result in a board's table.
struct HighScoreEntry {
    QString name;
    qint16 pegs = 99;
    // Playing time in days, one second being 1/86400.
    double time = 0.0;

    friend bool operator==(const HighScoreEntry&, const HighScoreEntry&) = default;
};
