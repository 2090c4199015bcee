#include "core/scores/high_score_table.h"

#include "core/scores/time_text.h"

std::size_t HighScoreTable::index(int position)
{
    Q_ASSERT(position >= 1 && position <= Slots);
    return static_cast<std::size_t>(position - 1);
}

HighScoreEntry HighScoreTable::entry(int position) const
{
    return {nameAt(position), pegsAt(position), timeAt(position)};
}

std::optional<int> HighScoreTable::checkForHighScore(int pegsLeft, double elapsedTime) const
{
    // A real result has fewer pegs than an empty slot; anything else would fill the table with junk.
    if (pegsLeft < 0 || pegsLeft >= EmptySlotPegs)
        return std::nullopt;
    const QString newTime = TimeText::of(elapsedTime);
    for (int i = 1; i <= Slots; ++i) {
        if (pegsLeft == pegsAt(i) && newTime < TimeText::of(timeAt(i)))
            return i;
    }
    for (int i = 1; i <= Slots; ++i) {
        if (pegsLeft < pegsAt(i))
            return i;
    }
    return std::nullopt;
}

void HighScoreTable::insertHighScore(int position, const HighScoreEntry& entry)
{
    const std::size_t at = index(position);
    for (std::size_t j = Slots - 1; j > at; --j) {
        names_[j] = names_[j - 1];
        pegs_[j] = pegs_[j - 1];
        times_[j] = times_[j - 1];
    }
    if (count_ < Slots)
        ++count_;
    names_[at] = entry.name;
    pegs_[at] = entry.pegs;
    times_[at] = entry.time;
}

bool HighScoreTable::append(const HighScoreEntry& entry)
{
    if (count_ == Slots)
        return false;
    const std::size_t at = static_cast<std::size_t>(count_++);
    names_[at] = entry.name;
    pegs_[at] = entry.pegs;
    times_[at] = entry.time;
    return true;
}
