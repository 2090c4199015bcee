#pragma once

#include <QString>

class HighScoreTable;

// The three top-player labels of the main window for a board's table.
struct TopPlayer {
    QString topName;
    QString topScore;
    QString topTime;

    // The best entry: name in upper case, "N Pegs Left", time text; all empty for an empty table.
    static TopPlayer of(const HighScoreTable& table);

    friend bool operator==(const TopPlayer&, const TopPlayer&) = default;
};
