#include "ui/board_view.h"

#include "ui/accessible_board.h"
#include "ui/picture_cell.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>

BoardView::BoardView(QWidget* parent) : QWidget(parent)
{
    AccessibleBoard::install();
    setObjectName(QStringLiteral("boardView"));
    setAccessibleName(tr("Board"));
    setFocusPolicy(Qt::NoFocus);
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
            // Keys and the mouse reach the game the same way; the clicked cell becomes the current one.
            connect(cell, &PictureCell::clicked, this, [this, row, col] {
                setCurrent(row, col);
                Q_EMIT cellClicked(row, col);
            });
            connect(cell, &PictureCell::mousePressed, this, [this] {
                ringWanted_ = false;
                updateRing();
            });
            connect(cell, &PictureCell::placeChanged, this, &BoardView::updateNameOrigin);
            cells_[static_cast<std::size_t>(row * Board::Size + col)] = cell;
        }
    updateNameOrigin();
    setCurrent(currentRow_, currentCol_);
}

void BoardView::moveTo(int leftTwips, int topTwips)
{
    move(Twips::toPixels(leftTwips), Twips::toPixels(topTwips));
}

bool BoardView::onBoard(int row, int col) const
{
    return Board::inside(row, col) && !cell(row, col)->isHidden();
}

QList<PictureCell*> BoardView::cellsOnBoard() const
{
    QList<PictureCell*> cells;
    for (PictureCell* c : cells_)
        if (!c->isHidden())
            cells.append(c);
    return cells;
}

void BoardView::placeCurrentCell()
{
    const auto showsPeg = [this](int row, int col) {
        return onBoard(row, col) && cell(row, col)->shows() == CellPicture::Peg;
    };
    for (const PictureCell* hole : cellsOnBoard()) {
        if (hole->shows() != CellPicture::Hole)
            continue;
        for (const auto& [dRow, dCol] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
            if (showsPeg(hole->row() + dRow, hole->col() + dCol))
                return setCurrent(hole->row() + dRow, hole->col() + dCol);
    }
    const QList<PictureCell*> cells = cellsOnBoard();
    if (cells.isEmpty())
        return;
    // The middle of the board's bounding rows and columns, or its first hole if that is off the board.
    const int middleRow = (cells.front()->row() + cells.back()->row()) / 2;
    int left = Board::Size;
    int right = -1;
    for (const PictureCell* c : cells) {
        left = std::min(left, c->col());
        right = std::max(right, c->col());
    }
    const int middleCol = (left + right) / 2;
    if (onBoard(middleRow, middleCol))
        setCurrent(middleRow, middleCol);
    else
        setCurrent(cells.front()->row(), cells.front()->col());
}

bool BoardView::event(QEvent* event)
{
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
        updateInput();
    return result;
}

void BoardView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        updateInput();
}

// The board takes the focus exactly while it takes clicks: enabled and shown. New Game and resuming
// both hand it the focus, since the player is back at the board.
void BoardView::updateInput()
{
    const bool playable = isEnabled() && !isHidden();
    if (playable == playable_)
        return;
    playable_ = playable;
    setFocusPolicy(playable ? Qt::StrongFocus : Qt::NoFocus);
    if (!playable)
        return;
    if (!onBoard(currentRow_, currentCol_))
        placeCurrentCell();
    setFocus(Qt::OtherFocusReason);
}

void BoardView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (event->reason() == Qt::MouseFocusReason)
        ringWanted_ = false;
    else if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        ringWanted_ = true;
    updateRing();
    // Qt announces the board itself once this returns; the cell comes after it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus())
                announceCurrent();
        },
        Qt::QueuedConnection);
}

void BoardView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    updateRing();
}

void BoardView::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
        step(-1, 0);
        break;
    case Qt::Key_Down:
        step(1, 0);
        break;
    case Qt::Key_Left:
        step(0, -1);
        break;
    case Qt::Key_Right:
        step(0, 1);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A held key is one click, as a held mouse button is.
        if (!event->isAutoRepeat()) {
            ringWanted_ = true;
            updateRing();
            Q_EMIT currentCell()->clicked();
        }
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

// The next hole in the direction, jumping over cells off the board; at the edge the cell stays.
void BoardView::step(int dRow, int dCol)
{
    ringWanted_ = true;
    for (int row = currentRow_ + dRow, col = currentCol_ + dCol; Board::inside(row, col); row += dRow, col += dCol)
        if (onBoard(row, col))
            return setCurrent(row, col);
    updateRing();
}

void BoardView::setCurrent(int row, int col)
{
    if (row == currentRow_ && col == currentCol_ && currentCell()->isCurrent()) {
        updateRing();
        return;
    }
    currentCell()->setCurrent(false, false);
    currentRow_ = row;
    currentCol_ = col;
    updateRing();
    if (hasFocus())
        announceCurrent();
}

void BoardView::updateRing()
{
    currentCell()->setCurrent(true, hasFocus() && ringWanted_);
}

void BoardView::announceCurrent()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent focus(currentCell(), QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

// Names count rows and columns from the board's own top-left hole, so every board starts at Row 1.
void BoardView::updateNameOrigin()
{
    int top = Board::Size;
    int left = Board::Size;
    for (const PictureCell* c : cells_)
        if (!c->isHidden()) {
            top = std::min(top, c->row());
            left = std::min(left, c->col());
        }
    if (top == Board::Size)
        top = left = 0;
    if (top == originRow_ && left == originCol_)
        return;
    originRow_ = top;
    originCol_ = left;
    for (PictureCell* c : cells_)
        c->setNameOrigin(top, left);
}
