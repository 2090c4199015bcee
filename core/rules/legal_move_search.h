#pragma once

class Board;

// Whether any peg of the board in play can still jump; a plain scan that stops at the first that can.
class LegalMoveSearch {
public:
    static bool noMovesLeft(const Board& board);
    static bool pegCanJump(const Board& board, int row, int col);
    // The landing cell beyond (overRow, overCol) is inside the grid, a hole of the board, and empty.
    static bool canJumpOver(const Board& board, int fromRow, int fromCol, int overRow, int overCol);
};
