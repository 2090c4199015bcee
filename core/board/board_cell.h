#pragma once

// Which of the current style's three pictures a cell was last given.
enum class CellPicture { Peg, Hole, Marked };

// One position of the 9 x 9 grid.
struct BoardCell {
    // A peg stands here; positions outside the board keep it true during a game so nothing lands there.
    bool pegged = true;
    // This is the selected peg.
    bool marked = false;
    // The position belongs to the board in play exactly when its cell is visible.
    bool visible = true;
    // Cells keep the picture they were given, which between games need not match Pegged.
    CellPicture picture = CellPicture::Peg;
};
