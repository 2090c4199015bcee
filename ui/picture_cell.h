#pragma once

#include "core/board/board_cell.h"

#include <QPixmap>
#include <QWidget>
#include <optional>

// A board cell: shows its picture at natural size from the top-left corner, clipped at its edge.
// Assistive tools see a button named after its place on the board and what it shows, and can press it.
class PictureCell : public QWidget {
    Q_OBJECT
public:
    explicit PictureCell(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    // The picture together with what it shows, which the cell's accessible name tells.
    void setPicture(const QPixmap& picture, CellPicture shows);
    const QPixmap& picture() const { return picture_; }
    std::optional<CellPicture> shows() const { return shows_; }

    // Row and column counted from 0 as the grid counts them.
    void setGridPosition(int row, int col);
    int row() const { return row_; }
    int col() const { return col_; }
    // The grid position of the board's top-left hole: names count rows and columns from there.
    void setNameOrigin(int row, int col);
    // "Row 4, column 5: peg" for a place counted from 0; without a known picture just the place.
    static QString describe(int row, int col, std::optional<CellPicture> shows);

    // The keyboard's current cell; its ring is drawn only while ringShown is also set.
    void setCurrent(bool current, bool ringShown);
    bool isCurrent() const { return current_; }

Q_SIGNALS:
    void clicked();
    // The mouse went down on the cell (before any click).
    void mousePressed();
    // The cell was shown or hidden, that is put on or taken off the board in play.
    void placeChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void updateAccessibleName();
    void paintRing(QPainter& painter) const;

    QPixmap picture_;
    // A click is a press and a release on the same cell, as with a button.
    bool pressed_ = false;
    int row_ = -1;
    int col_ = -1;
    int originRow_ = 0;
    int originCol_ = 0;
    bool current_ = false;
    bool ringShown_ = false;
    std::optional<CellPicture> shows_;
};
