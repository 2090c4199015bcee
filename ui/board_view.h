#pragma once

#include "core/board/board.h"

#include <QList>
#include <QWidget>
#include <array>

class PictureCell;

// The board container: the 81 picture cells, overlapping by a pixel as designed.
// While it takes clicks it also takes the keyboard focus: the arrows move a current cell over the
// holes of the board in play and Space or Return clicks it.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent);

    PictureCell* cell(int row, int col) const { return cells_[static_cast<std::size_t>(row * Board::Size + col)]; }
    // Moves the container to a board's position, in twips.
    void moveTo(int leftTwips, int topTwips);

    // For a new game: the current cell goes to a peg next to the start hole, else to the board's centre.
    void placeCurrentCell();
    PictureCell* currentCell() const { return cell(currentRow_, currentCol_); }
    // The cells of the board in play, row by row.
    QList<PictureCell*> cellsOnBoard() const;

Q_SIGNALS:
    // A click on element col of the cell array of row row.
    void cellClicked(int row, int col);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool onBoard(int row, int col) const;
    void updateInput();
    void setCurrent(int row, int col);
    void step(int dRow, int dCol);
    void updateRing();
    void announceCurrent();
    void updateNameOrigin();

    std::array<PictureCell*, Board::Size * Board::Size> cells_{};
    int currentRow_ = Board::Size / 2;
    int currentCol_ = Board::Size / 2;
    bool playable_ = false;
    // The ring shows after keyboard use and hides at a mouse press, so mouse play looks as it always did.
    bool ringWanted_ = true;
    int originRow_ = 0;
    int originCol_ = 0;
};
