#pragma once

#include <QColor>
#include <QWidget>

#include <array>

class QFrame;

// A miniature of the board in play: its holes in pale blue, the holes where a lone last peg can end in red.
// A top-level window of its own that deletes itself when closed; it does not follow the game.
class LastPegFrm : public QWidget {
    Q_OBJECT
public:
    static constexpr int Size = 9;
    static constexpr QRgb LastPegColour = qRgb(255, 0, 0);
    static constexpr QRgb HoleColour = qRgb(192, 192, 255);

    using CellArray = std::array<QFrame*, Size>;

    // boardNumber is the checked Boards item, 1..5; anything else (0: none checked) draws nothing.
    explicit LastPegFrm(int boardNumber, QWidget* parent = nullptr);

    QWidget* Picture10 = nullptr;
    // Picture[0] is the array Picture1 (row 0) ... Picture[8] is Picture9 (row 8); index = column.
    std::array<CellArray, Size> Picture{};

    QFrame* MiniBoard(int row, int col) const;

private:
    void LinkMiniBoard();
    void SetLastPeg1();
    void SetLastPeg2();
    void SetLastPeg3();
    void SetLastPeg4();
    void SetLastPeg5();
    // Hides the cells that are not holes of the board, then colours every cell, hidden ones too;
    // the red holes come with the board's layout.
    void drawBoard(int boardNumber);

    std::array<CellArray, Size> miniBoard_{};
};
