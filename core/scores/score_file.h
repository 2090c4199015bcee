#pragma once

#include "core/scores/high_score_table.h"

#include <QByteArray>

// The text of a high-score file: three CR LF lines per entry (name, pegs, time in days), best first.
class ScoreFile {
public:
    // A score file is a few hundred bytes; only this much of a larger file is looked at.
    static constexpr qsizetype MaxBytes = 64 * 1024;
    // Times from this many days up are not results of a game.
    static constexpr double MaxDays = 1000.0;

    // Takes records in file order until five are sound. A record with pegs outside 0..98 or a time that
    // is negative, not finite or absurd is dropped; one that does not read at all is passed over.
    static HighScoreTable read(const QByteArray& text);
    static QByteArray write(const HighScoreTable& table);
    // The three lines of one entry; two entries with the same record are the same result.
    static QByteArray record(const HighScoreEntry& entry);

private:
    // Quoted when the reader would otherwise split the name or lose blanks around it. A name starting
    // with a double quote cannot come back either way; neither the name box nor the reader produces one.
    static QByteArray nameLine(const QString& name);
};
