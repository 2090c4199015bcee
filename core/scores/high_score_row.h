#pragma once

#include <QString>

#include <array>

class HighScoreTable;

// The texts of one row of the high-score window.
struct HighScoreRow {
    QString name;
    QString pegs;
    QString time;

    // Rows 1..Count show the entries (name as stored, "3 Pegs left", time text); the rest stay empty.
    static std::array<HighScoreRow, 5> rowsOf(const HighScoreTable& table);

    friend bool operator==(const HighScoreRow&, const HighScoreRow&) = default;
};
