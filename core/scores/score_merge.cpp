#include "core/scores/score_merge.h"

#include "core/scores/score_file.h"

#include <array>

HighScoreTable ScoreMerge::merge(const HighScoreTable& ours, const HighScoreTable& theirs)
{
    HighScoreTable merged = ours;
    // Each of ours stands for at most one of theirs, so a result scored twice stays twice.
    std::array<bool, HighScoreTable::Slots> matched{};
    for (int i = 1; i <= theirs.count(); ++i) {
        const HighScoreEntry entry = theirs.entry(i);
        const QByteArray record = ScoreFile::record(entry);
        bool known = false;
        for (int j = 1; j <= ours.count() && !known; ++j) {
            auto& used = matched[static_cast<std::size_t>(j - 1)];
            if (!used && ScoreFile::record(ours.entry(j)) == record)
                used = known = true;
        }
        if (known)
            continue;
        if (const std::optional<int> position = merged.checkForHighScore(entry.pegs, entry.time))
            merged.insertHighScore(*position, entry);
    }
    return merged;
}
