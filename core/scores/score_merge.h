#pragma once

#include "core/scores/high_score_table.h"

// Joins a board's table in memory with the table another game saved to the same file meanwhile.
class ScoreMerge {
public:
    // Ours, with every result of theirs that ours lacks placed by the ranking rule, top five kept. A result
    // counts as the same when the file would hold the same record for it; among equals ours come first.
    static HighScoreTable merge(const HighScoreTable& ours, const HighScoreTable& theirs);
};
