#include "ui/accessible_board.h"

#include "ui/board_view.h"
#include "ui/picture_cell.h"

namespace {

QAccessibleInterface* boardFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(BoardView::staticMetaObject.className()) && object && object->isWidgetType())
        return new AccessibleBoard(static_cast<BoardView*>(object));
    return nullptr;
}

} // namespace

AccessibleBoard::AccessibleBoard(BoardView* board) : QAccessibleWidget(board, QAccessible::Grouping) {}

void AccessibleBoard::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(boardFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

BoardView* AccessibleBoard::board() const
{
    return static_cast<BoardView*>(widget());
}

int AccessibleBoard::childCount() const
{
    return static_cast<int>(board()->cellsOnBoard().size());
}

QAccessibleInterface* AccessibleBoard::child(int index) const
{
    const QList<PictureCell*> cells = board()->cellsOnBoard();
    if (index < 0 || index >= cells.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(cells.at(index));
}

int AccessibleBoard::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    return static_cast<int>(board()->cellsOnBoard().indexOf(qobject_cast<PictureCell*>(child->object())));
}

QAccessibleInterface* AccessibleBoard::focusChild() const
{
    if (!board()->hasFocus())
        return nullptr;
    return QAccessible::queryAccessibleInterface(board()->currentCell());
}

QAccessibleInterface* AccessibleBoard::childAt(int x, int y) const
{
    // Neighbours overlap by a pixel and the later cell lies on top.
    const QList<PictureCell*> cells = board()->cellsOnBoard();
    for (auto it = cells.rbegin(); it != cells.rend(); ++it)
        if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(*it); iface->rect().contains(x, y))
            return iface;
    return nullptr;
}
