#pragma once

#include <QColor>
#include <QWidget>

#include <array>
#include <initializer_list>
#include <utility>

class QFrame;

// A miniature of the board in play: its holes in pale blue, the holes where a lone last peg can end in red.
// A top-level window of its own that deletes itself when closed; it does not follow the game.
class LastPegWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int Size = 9;
    static constexpr QRgb LastPegColour = qRgb(255, 0, 0);
    static constexpr QRgb HoleColour = qRgb(192, 192, 255);

    using CellArray = std::array<QFrame*, Size>;

    // boardNumber is the checked Boards item, 1..5; anything else (0: none checked) draws nothing.
    explicit LastPegWindow(int boardNumber, QWidget* parent = nullptr);

    QWidget* boardFrame = nullptr;
    QFrame* cell(int row, int col) const;

private:
    // Hides the cells that are not holes of the board, then colours every cell, hidden ones too;
    // the red holes come with the board's layout.
    void drawBoard(int boardNumber);

    std::array<CellArray, Size> cells_{};
};
