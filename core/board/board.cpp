#include "core/board/board.h"

#include "core/board/board_layout.h"

void Board::setPegged(int row, int col, bool pegged)
{
    cells_[index(row, col)].pegged = pegged;
}

void Board::setMarked(int row, int col, bool marked)
{
    cells_[index(row, col)].marked = marked;
}

void Board::setVisible(int row, int col, bool visible)
{
    BoardCell& cell = cells_[index(row, col)];
    if (cell.visible != visible) {
        cell.visible = visible;
        changed_.set(index(row, col));
    }
}

void Board::show(int row, int col, CellPicture picture)
{
    BoardCell& cell = cells_[index(row, col)];
    if (cell.picture != picture) {
        cell.picture = picture;
        changed_.set(index(row, col));
    }
}

void Board::setUpPieces()
{
    for (BoardCell& cell : cells_) {
        cell.pegged = true;
        cell.marked = false;
    }
}

void Board::fillBoard()
{
    for (int row = 0; row < Size; ++row)
        for (int col = 0; col < Size; ++col)
            show(row, col, CellPicture::Peg);
}

void Board::showAllCells()
{
    for (int row = 0; row < Size; ++row)
        for (int col = 0; col < Size; ++col)
            setVisible(row, col, true);
}

void Board::hideOutside(const BoardLayout& layout)
{
    for (int row = 0; row < Size; ++row)
        for (int col = 0; col < Size; ++col)
            if (!layout.isHole(row, col))
                setVisible(row, col, false);
}

std::bitset<Board::Size * Board::Size> Board::takeChanged()
{
    const auto changed = changed_;
    changed_.reset();
    return changed;
}
