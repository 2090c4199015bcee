#pragma once

#include "core/board/board.h"

#include <QWidget>
#include <array>

class PictureCell;

// The board container: the 81 picture cells, overlapping by a pixel as designed.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent);

    PictureCell* cell(int row, int col) const { return cells_[static_cast<std::size_t>(row * Board::Size + col)]; }
    // Moves the container to a board's position, in twips.
    void moveTo(int leftTwips, int topTwips);

Q_SIGNALS:
    // A click on element col of the cell array of row row.
    void cellClicked(int row, int col);

private:
    std::array<PictureCell*, Board::Size * Board::Size> cells_{};
};
