#include "core/rules/game.h"

#include "core/board/board_layout.h"
#include "core/rules/legal_move_search.h"

void Game::clearSelection()
{
    pegSelected_ = false;
    selRow_ = 0;
    selCol_ = 0;
}

void Game::chooseBoard(int boardNumber)
{
    board_.showAllCells();
    board_.hideOutside(BoardLayout::forBoard(boardNumber));
}

void Game::setStartHole(int boardNumber)
{
    const BoardLayout& layout = BoardLayout::forBoard(boardNumber);
    canUndo_ = false;
    board_.show(layout.startRow, layout.startCol, CellPicture::Hole);
    board_.setPegged(layout.startRow, layout.startCol, false);
}

void Game::setNumberPegged(int boardNumber)
{
    pegsLeft_ = BoardLayout::forBoard(boardNumber).pegsAtStart;
}

ClickOutcome Game::clickCell(int row, int col)
{
    // Cells outside the board are hidden and take no clicks.
    if (!Board::inside(row, col) || !board_(row, col).visible)
        return ClickOutcome::Refused;
    const BoardCell& cell = board_(row, col);
    if (cell.pegged) {
        if (!pegSelected_) {
            select(row, col);
            return ClickOutcome::Selected;
        }
        if (cell.marked) {
            deselect(row, col);
            return ClickOutcome::Deselected;
        }
        return ClickOutcome::Refused;
    }
    return tryJump(row, col) ? ClickOutcome::Jumped : ClickOutcome::Refused;
}

bool Game::isJumpTarget(int row, int col) const
{
    const int dr = row - selRow_;
    const int dc = col - selCol_;
    if (dr == 0)
        return dc == 2 || dc == -2;
    if (dr == 2 || dr == -2)
        return dc == 0;
    return false;
}

bool Game::noMovesLeft() const
{
    return LegalMoveSearch::noMovesLeft(board_);
}

bool Game::undo()
{
    if (!canUndo_)
        return false;
    canUndo_ = false;
    const int a = (lastFromRow_ - lastToRow_) / 2;
    const int b = (lastFromCol_ - lastToCol_) / 2;
    board_.show(lastFromRow_, lastFromCol_, CellPicture::Peg);
    board_.setPegged(lastFromRow_, lastFromCol_, true);
    board_.setMarked(lastFromRow_, lastFromCol_, false);
    // A selection on the landed peg would point at an empty hole and lock the game.
    if (pegSelected_ && selRow_ == lastToRow_ && selCol_ == lastToCol_)
        clearSelection();
    board_.show(lastToRow_, lastToCol_, CellPicture::Hole);
    board_.setPegged(lastToRow_, lastToCol_, false);
    board_.setMarked(lastToRow_, lastToCol_, false);
    board_.show(lastFromRow_ - a, lastFromCol_ - b, CellPicture::Peg);
    board_.setPegged(lastFromRow_ - a, lastFromCol_ - b, true);
    board_.setMarked(lastFromRow_ - a, lastFromCol_ - b, false);
    ++pegsLeft_;
    return true;
}

void Game::select(int row, int col)
{
    board_.show(row, col, CellPicture::Marked);
    board_.setMarked(row, col, true);
    pegSelected_ = true;
    selRow_ = row;
    selCol_ = col;
}

void Game::deselect(int row, int col)
{
    board_.show(row, col, CellPicture::Peg);
    board_.setMarked(row, col, false);
    clearSelection();
}

bool Game::tryJump(int row, int col)
{
    if (!board_(selRow_, selCol_).marked || !isJumpTarget(row, col))
        return false;
    const int midRow = selRow_ - (selRow_ - row) / 2;
    const int midCol = selCol_ - (selCol_ - col) / 2;
    if (!board_(midRow, midCol).pegged)
        return false;
    subtractPeg();
    board_.setPegged(row, col, true);
    board_.show(row, col, CellPicture::Peg);
    board_.setMarked(selRow_, selCol_, false);
    board_.setPegged(selRow_, selCol_, false);
    board_.show(selRow_, selCol_, CellPicture::Hole);
    board_.show(midRow, midCol, CellPicture::Hole);
    board_.setPegged(midRow, midCol, false);
    board_.setMarked(midRow, midCol, false);
    lastFromRow_ = selRow_;
    lastFromCol_ = selCol_;
    lastToCol_ = col;
    lastToRow_ = row;
    canUndo_ = true;
    clearSelection();
    return true;
}
