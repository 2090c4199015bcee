#include "windows/last_peg_window.h"
#include "ui/form_layout.h"

#include "ui/twips.h"
#include "core/board/board_layout.h"

#include <QFrame>
#include <QIcon>

#include <algorithm>

namespace {

constexpr int CellStep = 360;
constexpr int CellSide = 375;

QFrame* makeCell(QWidget* parent, int row, int col)
{
    auto* cell = new QFrame(parent);
    cell->setObjectName(QStringLiteral("Picture%1_%2").arg(row + 1).arg(col));
    cell->setGeometry(Twips::rect(CellStep * col, CellStep * row, CellSide, CellSide));
    // A thin black frame: the 15-twip overlap of neighbours makes it a one-pixel grid line.
    cell->setFrameStyle(QFrame::Box | QFrame::Plain);
    cell->setLineWidth(1);
    cell->setAutoFillBackground(true);
    QPalette palette = cell->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    cell->setPalette(palette);
    // The miniature is only to look at.
    cell->setAttribute(Qt::WA_TransparentForMouseEvents);
    return cell;
}

void setBackColour(QFrame* cell, QRgb colour)
{
    QPalette palette = cell->palette();
    palette.setColor(QPalette::Window, QColor(colour));
    cell->setPalette(palette);
}

} // namespace

LastPegWindow::LastPegWindow(int boardNumber, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LastPegWindow"));
    setWindowTitle(tr("Last Peg"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/icons/lastpeg-32.png")));
    setAttribute(Qt::WA_DeleteOnClose);
    // Left open beside the main window, it must not keep the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(Twips::size(3300, 3285));

    boardFrame = new QWidget(this);
    boardFrame->setObjectName(QStringLiteral("boardFrame"));
    boardFrame->setGeometry(Twips::rect(0, 0, 3315, 3315));
    boardFrame->setAutoFillBackground(true);
    QPalette black = boardFrame->palette();
    black.setColor(QPalette::Window, Qt::black);
    boardFrame->setPalette(black);

    for (int row = 0; row < Size; ++row)
        for (int col = 0; col < Size; ++col)
            Picture[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = makeCell(boardFrame, row, col);

    FormLayout::centreOnScreen(*this);

    linkCells();
    switch (boardNumber) {
    case 1: SetLastPeg1(); break;
    case 2: SetLastPeg2(); break;
    case 3: SetLastPeg3(); break;
    case 4: SetLastPeg4(); break;
    case 5: SetLastPeg5(); break;
    default: break;
    }
}

QFrame* LastPegWindow::cell(int row, int col) const
{
    if (row < 0 || row >= Size || col < 0 || col >= Size)
        return nullptr;
    return miniBoard_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void LastPegWindow::linkCells()
{
    for (std::size_t row = 0; row < Size; ++row)
        for (std::size_t col = 0; col < Size; ++col)
            miniBoard_[row][col] = Picture[row][col];
}

void LastPegWindow::SetLastPeg1()
{
    drawBoard(1, {{2, 4}, {5, 4}, {5, 1}, {5, 7}});
}

void LastPegWindow::SetLastPeg2()
{
    drawBoard(2, {{3, 4}, {6, 4}, {3, 1}, {3, 7}});
}

void LastPegWindow::SetLastPeg3()
{
    drawBoard(3, {{3, 4}, {6, 4}, {3, 1}, {3, 7}, {0, 4}});
}

void LastPegWindow::SetLastPeg4()
{
    drawBoard(4, {{2, 4}, {5, 4}, {2, 1}, {2, 7}, {5, 1}, {5, 7}});
}

void LastPegWindow::SetLastPeg5()
{
    drawBoard(5, {{1, 4}, {1, 6}, {4, 4}, {4, 6}});
}

void LastPegWindow::drawBoard(int boardNumber, RedCells red)
{
    const BoardLayout& layout = BoardLayout::forBoard(boardNumber);
    for (int row = 0; row < Size; ++row) {
        for (int col = 0; col < Size; ++col) {
            QFrame* frame = cell(row, col);
            if (!layout.isHole(row, col))
                frame->hide();
            const bool isRed = std::find(red.begin(), red.end(), std::pair{row, col}) != red.end();
            setBackColour(frame, isRed ? LastPegColour : HoleColour);
        }
    }
}
