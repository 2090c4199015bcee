#include "windows/last_peg_frm.h"
#include "app/form_layout.h"

#include "app/twips.h"
#include "board/board_layout.h"

#include <QFrame>
#include <QIcon>

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

LastPegFrm::LastPegFrm(int boardNumber, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LastPegFrm"));
    setWindowTitle(tr("Last Peg"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/icons/lastpeg-32.png")));
    setAttribute(Qt::WA_DeleteOnClose);
    // Left open beside the main window, it must not keep the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(Twips::size(3300, 3285));

    Picture10 = new QWidget(this);
    Picture10->setObjectName(QStringLiteral("Picture10"));
    Picture10->setGeometry(Twips::rect(0, 0, 3315, 3315));
    Picture10->setAutoFillBackground(true);
    QPalette black = Picture10->palette();
    black.setColor(QPalette::Window, Qt::black);
    Picture10->setPalette(black);

    for (int row = 0; row < Size; ++row)
        for (int col = 0; col < Size; ++col)
            Picture[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = makeCell(Picture10, row, col);

    FormLayout::centreOnScreen(*this);

    LinkMiniBoard();
    switch (boardNumber) {
    case 1: SetLastPeg1(); break;
    case 2: SetLastPeg2(); break;
    case 3: SetLastPeg3(); break;
    case 4: SetLastPeg4(); break;
    case 5: SetLastPeg5(); break;
    default: break;
    }
}

QFrame* LastPegFrm::MiniBoard(int row, int col) const
{
    if (row < 0 || row >= Size || col < 0 || col >= Size)
        return nullptr;
    return miniBoard_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void LastPegFrm::LinkMiniBoard()
{
    for (std::size_t row = 0; row < Size; ++row)
        for (std::size_t col = 0; col < Size; ++col)
            miniBoard_[row][col] = Picture[row][col];
}

void LastPegFrm::SetLastPeg1()
{
    drawBoard(1);
}

void LastPegFrm::SetLastPeg2()
{
    drawBoard(2);
}

void LastPegFrm::SetLastPeg3()
{
    drawBoard(3);
}

void LastPegFrm::SetLastPeg4()
{
    drawBoard(4);
}

void LastPegFrm::SetLastPeg5()
{
    drawBoard(5);
}

void LastPegFrm::drawBoard(int boardNumber)
{
    const BoardLayout& layout = BoardLayout::ForBoard(boardNumber);
    for (int row = 0; row < Size; ++row) {
        for (int col = 0; col < Size; ++col) {
            QFrame* cell = MiniBoard(row, col);
            if (!layout.isHole(row, col))
                cell->hide();
            setBackColour(cell, layout.isLastPegHole(row, col) ? LastPegColour : HoleColour);
        }
    }
}
