#include "core/scores/top_player.h"

#include "core/scores/high_score_table.h"
#include "core/scores/time_text.h"

TopPlayer TopPlayer::of(const HighScoreTable& table)
{
    if (table.Count() == 0)
        return {};
    return {table.Names(1).toUpper(), QString::number(table.Pegs(1)) + QStringLiteral(" Pegs Left"),
            TimeText::of(table.Times(1))};
}
