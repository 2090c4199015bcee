#pragma once

#include "core/scores/high_score_table.h"

#include <QString>

#include <array>
#include <functional>

// The five boards' tables and their files. The files live beside the program while its directory is
// writable; an installed game, whose directory is not, saves to the player's own data directory and
// still loads a file beside the program until it has one of its own.
class ScoreStore {
public:
    static constexpr int Boards = 5;

    // Whether the game may make files in a directory: by default it tries; a test may decide instead.
    using DirWritable = std::function<bool(const QString& dir)>;

    ScoreStore(QString programDir, QString userDataDir, const DirWritable& dirWritable = canCreateFileIn);

    // Board numbers 1..5: Classic, European 1, European 2, Square 7x7, Square 6x6.
    HighScoreTable& table(int boardNumber) { return tables_[index(boardNumber)]; }
    const HighScoreTable& table(int boardNumber) const { return tables_[index(boardNumber)]; }

    // A missing, empty or unreadable file, or anything but a regular file, gives an empty table.
    void loadScoreTable(int boardNumber);
    // Merges what the board's file holds now into the table, then replaces the file as a whole with the
    // table. On failure the old file stays as it was, the table keeps its results, and one line goes to stderr.
    bool saveScoreTable(int boardNumber);

    static QString fileName(int boardNumber);
    bool programDirWritable() const { return programDirWritable_; }
    QString loadPath(int boardNumber) const;
    QString savePath(int boardNumber) const;

private:
    static std::size_t index(int boardNumber);
    // Tries to create a file there: permission bits alone are no answer when running as root.
    static bool canCreateFileIn(const QString& dir);

    QString programDir_;
    QString userDataDir_;
    bool programDirWritable_ = false;
    std::array<HighScoreTable, Boards> tables_{};
};
