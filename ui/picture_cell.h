#pragma once

#include "core/board/board_cell.h"

#include <QPixmap>
#include <QWidget>
#include <optional>

// A board cell: shows its picture at natural size from the top-left corner, clipped at its edge.
// Assistive tools see a button named after its place and what it shows, and can press it.
class PictureCell : public QWidget {
    Q_OBJECT
public:
    explicit PictureCell(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    // The picture together with what it shows, which the cell's accessible name tells.
    void setPicture(const QPixmap& picture, CellPicture shows);
    const QPixmap& picture() const { return picture_; }
    std::optional<CellPicture> shows() const { return shows_; }

    // Row and column counted from 0 as the grid counts them; people hear them counted from 1.
    void setGridPosition(int row, int col);
    // "Row 4, column 5: peg"; without a known picture just the place.
    static QString describe(int row, int col, std::optional<CellPicture> shows);

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void updateAccessibleName();

    QPixmap picture_;
    // A click is a press and a release on the same cell, as with a button.
    bool pressed_ = false;
    int row_ = -1;
    int col_ = -1;
    std::optional<CellPicture> shows_;
};
