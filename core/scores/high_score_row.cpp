#include "core/scores/high_score_row.h"

#include "core/scores/high_score_table.h"
#include "core/scores/time_text.h"

std::array<HighScoreRow, 5> HighScoreRow::rowsOf(const HighScoreTable& table)
{
    static_assert(HighScoreTable::Slots == 5);
    std::array<HighScoreRow, 5> rows{};
    for (int i = 1; i <= table.Count(); ++i) {
        rows[static_cast<std::size_t>(i - 1)] = {table.Names(i),
            QString::number(table.Pegs(i)) + QStringLiteral(" Pegs left"), TimeText::of(table.Times(i))};
    }
    return rows;
}
