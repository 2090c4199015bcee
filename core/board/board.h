#pragma once

#include "core/board/board_cell.h"

#include <array>
#include <bitset>

class BoardLayout;

// The 9 x 9 grid every board is drawn on; row 0 is the top row, column 0 the leftmost.
class Board {
public:
    static constexpr int Size = 9;

    static bool inside(int row, int col) { return row >= 0 && row < Size && col >= 0 && col < Size; }

    const BoardCell& operator()(int row, int col) const { return cells_[index(row, col)]; }

    void setPegged(int row, int col, bool pegged);
    void setMarked(int row, int col, bool marked);
    void setVisible(int row, int col, bool visible);
    void show(int row, int col, CellPicture picture);

    // New Game's reset: every position pegged, none marked; pictures and visibility stay.
    void setUpPieces();
    // Every cell, hidden ones included, shows the peg picture; the fields stay.
    void fillBoard();
    void showAllCells();
    // Hides the positions outside the layout's shape (after showAllCells).
    void hideOutside(const BoardLayout& layout);

    // Cells whose picture or visibility changed since the last call, so the window repaints only those.
    std::bitset<Size * Size> takeChanged();

private:
    static int index(int row, int col) { return row * Size + col; }

    std::array<BoardCell, Size * Size> cells_{};
    std::bitset<Size * Size> changed_;
};
