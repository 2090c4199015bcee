#include "core/scores/high_score_row.h"

#include "core/scores/high_score_table.h"
#include "core/scores/time_text.h"

std::array<HighScoreRow, 5> HighScoreRow::rowsOf(const HighScoreTable& table)
{
    static_assert(HighScoreTable::Slots == 5);
    std::array<HighScoreRow, 5> rows{};
    for (int i = 1; i <= table.count(); ++i) {
        rows[static_cast<std::size_t>(i - 1)] = {table.nameAt(i),
            QString::number(table.pegsAt(i)) + QStringLiteral(" Pegs left"), TimeText::of(table.timeAt(i))};
    }
    return rows;
}
