#pragma once

#include "core/board/board.h"

// What a click on a cell did.
enum class ClickOutcome { Refused, Selected, Deselected, Jumped };

// The board in play with its selection, pegs-left count and the one-step undo record.
class Game {
public:
    Board& board() { return board_; }
    const Board& board() const { return board_; }

    bool pegSelected() const { return pegSelected_; }
    int selRow() const { return selRow_; }
    int selCol() const { return selCol_; }
    int pegsLeft() const { return pegsLeft_; }
    int lastFromRow() const { return lastFromRow_; }
    int lastFromCol() const { return lastFromCol_; }
    int lastToRow() const { return lastToRow_; }
    int lastToCol() const { return lastToCol_; }

    void clearSelection();
    // Makes the board's shape visible; every field and picture keeps its value.
    void chooseBoard(int boardNumber);
    // Empties the board's start hole.
    void setStartHole(int boardNumber);
    void setNumberPegged(int boardNumber);

    // Select, deselect or jump; every click that is none of these changes nothing.
    ClickOutcome clickCell(int row, int col);
    bool isJumpTarget(int row, int col) const;
    bool noMovesLeft() const;

    // Takes back the last jump, once; a selection on the peg that jump landed is dropped with it.
    bool undo();
    bool canUndo() const { return canUndo_; }

private:
    void select(int row, int col);
    void deselect(int row, int col);
    bool tryJump(int row, int col);
    void subtractPeg() { --pegsLeft_; }

    Board board_;
    bool pegSelected_ = false;
    int selRow_ = 0;
    int selCol_ = 0;
    int pegsLeft_ = 0;
    int lastFromRow_ = 0;
    int lastFromCol_ = 0;
    int lastToRow_ = 0;
    int lastToCol_ = 0;
    bool canUndo_ = false;
};
