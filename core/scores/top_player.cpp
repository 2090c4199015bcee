#include "core/scores/top_player.h"

#include "core/scores/high_score_table.h"
#include "core/scores/time_text.h"

TopPlayer TopPlayer::of(const HighScoreTable& table)
{
    if (table.count() == 0)
        return {};
    return {table.nameAt(1).toUpper(), QString::number(table.pegsAt(1)) + QStringLiteral(" Pegs Left"),
            TimeText::of(table.timeAt(1))};
}
