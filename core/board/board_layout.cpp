#include "core/board/board_layout.h"

#include "core/board/board.h"

#include <algorithm>

namespace {

const std::array<BoardLayout, BoardLayout::Count>& layouts()
{
    static const std::array<BoardLayout, BoardLayout::Count> all{{
        {1, QStringLiteral("Classic"),
         {".........", "...ooo...", "..ooooo..", ".oooEooo.", ".ooooooo.", ".ooooooo.", "..ooooo..", "...ooo...", "........."},
         3, 4, 36, 1680, 120, {{2, 4}, {5, 4}, {5, 1}, {5, 7}}},
        {2, QStringLiteral("European 1"),
         {".........", "...ooo...", "...ooo...", ".ooooooo.", ".oooEooo.", ".ooooooo.", "...ooo...", "...ooo...", "........."},
         4, 4, 32, 1680, 120, {{4, 4}, {1, 4}, {4, 1}, {4, 7}, {7, 4}}},
        {3, QStringLiteral("European 2"),
         {"...ooo...", "...ooo...", "...ooo...", "ooooEoooo", "ooooooooo", "ooooooooo", "...ooo...", "...ooo...", "...ooo..."},
         3, 4, 44, 1680, 120, {{3, 4}, {6, 4}, {3, 1}, {3, 7}, {0, 4}}},
        {4, QStringLiteral("Square 7x7"),
         {".........", ".ooooooo.", ".ooooooo.", ".oooEooo.", ".ooooooo.", ".ooooooo.", ".ooooooo.", ".ooooooo.", "........."},
         3, 4, 48, 1680, 120, {{2, 4}, {5, 4}, {2, 1}, {2, 7}, {5, 1}, {5, 7}}},
        {5, QStringLiteral("Square 6x6"),
         {".........", "..oooooo.", "..oooooo.", "..oooooo.", "..ooEooo.", "..oooooo.", "..oooooo.", ".........", "........."},
         4, 4, 35, 1430, 270, {{1, 4}, {1, 7}, {4, 4}, {4, 7}}},
    }};
    return all;
}

} // namespace

const BoardLayout& BoardLayout::forBoard(int number)
{
    const int index = (number >= 1 && number <= Count) ? number - 1 : Count - 1;
    return layouts()[static_cast<std::size_t>(index)];
}

bool BoardLayout::isHole(int row, int col) const
{
    return Board::inside(row, col) && shape[static_cast<std::size_t>(row)][col] != '.';
}

int BoardLayout::holeCount() const
{
    int holes = 0;
    for (int row = 0; row < Board::Size; ++row)
        for (int col = 0; col < Board::Size; ++col)
            holes += isHole(row, col) ? 1 : 0;
    return holes;
}

bool BoardLayout::isLastPegHole(int row, int col) const
{
    return std::find(lastPegHoles.begin(), lastPegHoles.end(), std::pair{row, col}) != lastPegHoles.end();
}
