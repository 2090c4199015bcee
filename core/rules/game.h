#pragma once

#include "core/board/board.h"

// What a click on a cell did.
enum class ClickOutcome { Refused, Selected, Deselected, Jumped };

// The board in play with its selection, pegs-left count and the one-step undo record.
class Game {
public:
    Board& board() { return board_; }
    const Board& board() const { return board_; }

    bool PegSelected() const { return pegSelected_; }
    int SelRow() const { return selRow_; }
    int SelCol() const { return selCol_; }
    int PegsLeft() const { return pegsLeft_; }
    int LastFromRow() const { return lastFromRow_; }
    int LastFromCol() const { return lastFromCol_; }
    int LastToRow() const { return lastToRow_; }
    int LastToCol() const { return lastToCol_; }

    void clearSelection();
    // Makes the board's shape visible; every field and picture keeps its value.
    void chooseBoard(int boardNumber);
    // Empties the board's start hole.
    void SetStartHole(int boardNumber);
    void SetNumberPegged(int boardNumber);

    // Select, deselect or jump; every click that is none of these changes nothing.
    ClickOutcome CellClick(int row, int col);
    bool IsJumpTarget(int row, int col) const;
    bool NoMovesLeft() const;

    // Takes back the last jump; a selection on the peg that jump landed is dropped with it.
    void Undo();

private:
    void select(int row, int col);
    void deselect(int row, int col);
    bool tryJump(int row, int col);
    void SubtractPeg() { --pegsLeft_; }

    Board board_;
    bool pegSelected_ = false;
    int selRow_ = 0;
    int selCol_ = 0;
    int pegsLeft_ = 0;
    int lastFromRow_ = 0;
    int lastFromCol_ = 0;
    int lastToRow_ = 0;
    int lastToCol_ = 0;
};
