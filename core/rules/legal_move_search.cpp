#include "core/rules/legal_move_search.h"

#include "core/board/board.h"

#include <array>
#include <utility>

bool LegalMoveSearch::noMovesLeft(const Board& board)
{
    for (int row = 0; row < Board::Size; ++row)
        for (int col = 0; col < Board::Size; ++col) {
            const BoardCell& cell = board(row, col);
            if (cell.visible && cell.pegged && pegCanJump(board, row, col))
                return false;
        }
    return true;
}

bool LegalMoveSearch::pegCanJump(const Board& board, int row, int col)
{
    // Down, right, left, up.
    static constexpr std::array<std::pair<int, int>, 4> directions{{{1, 0}, {0, 1}, {0, -1}, {-1, 0}}};
    for (const auto& [dr, dc] : directions) {
        const int overRow = row + dr;
        const int overCol = col + dc;
        if (!Board::inside(overRow, overCol))
            continue;
        const BoardCell& over = board(overRow, overCol);
        if (over.visible && over.pegged && canJumpOver(board, row, col, overRow, overCol))
            return true;
    }
    return false;
}

bool LegalMoveSearch::canJumpOver(const Board& board, int fromRow, int fromCol, int overRow, int overCol)
{
    const int landRow = 2 * overRow - fromRow;
    const int landCol = 2 * overCol - fromCol;
    if (!Board::inside(landRow, landCol))
        return false;
    const BoardCell& land = board(landRow, landCol);
    return land.visible && !land.pegged;
}
