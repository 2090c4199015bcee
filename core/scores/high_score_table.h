#pragma once

#include "core/scores/high_score_entry.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

// The five best results of one board. Positions run from 1 (the best) to 5, as the player sees them;
// positions after count() are empty slots (pegs 99, no name, time 0).
class HighScoreTable {
public:
    static constexpr int Slots = 5;
    static constexpr qint16 EmptySlotPegs = 99;

    int count() const { return count_; }
    const QString& nameAt(int position) const { return names_[index(position)]; }
    qint16 pegsAt(int position) const { return pegs_[index(position)]; }
    double timeAt(int position) const { return times_[index(position)]; }
    HighScoreEntry entry(int position) const;

    // The position 1..5 a finished game enters at, or none. Equal pegs and an equal time text
    // leave the older entry ahead.
    std::optional<int> checkForHighScore(int pegsLeft, double elapsedTime) const;
    // Puts the entry at position 1..5: the entries from there move down one and the fifth is dropped.
    void insertHighScore(int position, const HighScoreEntry& entry);
    // The loader fills the table in file order; false once the table is full.
    bool append(const HighScoreEntry& entry);

    friend bool operator==(const HighScoreTable&, const HighScoreTable&) = default;

private:
    static std::size_t index(int position);

    int count_ = 0;
    std::array<QString, Slots> names_{};
    std::array<qint16, Slots> pegs_{EmptySlotPegs, EmptySlotPegs, EmptySlotPegs, EmptySlotPegs, EmptySlotPegs};
    std::array<double, Slots> times_{};
};
