#include "ui/board_view.h"

#include "ui/twips.h"
#include "ui/picture_cell.h"

BoardView::BoardView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("boardView"));
    setAccessibleName(tr("Board"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setGeometry(Twips::rect(1680, 120, 5465, 5700));
    for (int row = 0; row < Board::Size; ++row)
        for (int col = 0; col < Board::Size; ++col) {
            auto* cell = new PictureCell(this);
            // The fourth row's cell array is spelled row4.
            const QString array = row == 3 ? QStringLiteral("row4") : QStringLiteral("Row%1").arg(row + 1);
            cell->setObjectName(QStringLiteral("%1_%2").arg(array).arg(col));
            cell->setGeometry(Twips::rect(600 * col, 120 + 600 * row, 612, 612));
            cell->setGridPosition(row, col);
            connect(cell, &PictureCell::clicked, this, [this, row, col] { Q_EMIT cellClicked(row, col); });
            cells_[static_cast<std::size_t>(row * Board::Size + col)] = cell;
        }
}

void BoardView::moveTo(int leftTwips, int topTwips)
{
    move(Twips::toPixels(leftTwips), Twips::toPixels(topTwips));
}
