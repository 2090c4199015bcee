#include "windows/last_peg_window.h"
#include "ui/form_layout.h"

#include "ui/twips.h"
#include "ui/built_in_picture.h"
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
    setWindowIcon(QIcon(BuiltInPicture::load(QStringLiteral(":/icons/lastpeg-32.png"))));
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
            cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = makeCell(boardFrame, row, col);

    FormLayout::centreOnScreen(*this);

    if (boardNumber >= 1 && boardNumber <= BoardLayout::Count)
        drawBoard(boardNumber);
}

QFrame* LastPegWindow::cell(int row, int col) const
{
    if (row < 0 || row >= Size || col < 0 || col >= Size)
        return nullptr;
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void LastPegWindow::drawBoard(int boardNumber)
{
    const BoardLayout& layout = BoardLayout::forBoard(boardNumber);
    for (int row = 0; row < Size; ++row) {
        for (int col = 0; col < Size; ++col) {
            QFrame* frame = cell(row, col);
            if (!layout.isHole(row, col))
                frame->hide();
            setBackColour(frame, layout.isLastPegHole(row, col) ? LastPegColour : HoleColour);
        }
    }
}
