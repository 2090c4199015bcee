#include "ui/picture_cell.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace {

// To assistive tools a cell is a button whose press is a click; a disabled board refuses it as the
// mouse is refused.
class AccessibleCell : public QAccessibleWidget {
public:
    explicit AccessibleCell(PictureCell* cell) : QAccessibleWidget(cell, QAccessible::Button) {}

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (pressable())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction() && pressable())
            Q_EMIT static_cast<PictureCell*>(widget())->clicked();
        else
            QAccessibleWidget::doAction(actionName);
    }

    // The keyboard's current cell is the focused object while the board has the focus.
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const auto* cell = static_cast<const PictureCell*>(widget());
        state.focusable = pressable();
        state.focused = cell->isCurrent() && cell->parentWidget() && cell->parentWidget()->hasFocus();
        return state;
    }

private:
    bool pressable() const { return widget()->isEnabled() && widget()->isVisible(); }
};

// Fills a frame of the given thickness just inside area.
void frame(QPainter& painter, const QRect& area, int thickness, const QColor& colour)
{
    painter.fillRect(area.left(), area.top(), area.width(), thickness, colour);
    painter.fillRect(area.left(), area.bottom() - thickness + 1, area.width(), thickness, colour);
    painter.fillRect(area.left(), area.top(), thickness, area.height(), colour);
    painter.fillRect(area.right() - thickness + 1, area.top(), thickness, area.height(), colour);
}

QAccessibleInterface* accessibleCellFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(PictureCell::staticMetaObject.className()) && object && object->isWidgetType())
        return new AccessibleCell(static_cast<PictureCell*>(object));
    return nullptr;
}

} // namespace

PictureCell::PictureCell(QWidget* parent) : QWidget(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleCellFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureCell::setPicture(const QPixmap& picture)
{
    if (picture.cacheKey() == picture_.cacheKey())
        return;
    picture_ = picture;
    update();
}

void PictureCell::setPicture(const QPixmap& picture, CellPicture shows)
{
    setPicture(picture);
    if (shows_ == shows)
        return;
    shows_ = shows;
    updateAccessibleName();
}

void PictureCell::setGridPosition(int row, int col)
{
    row_ = row;
    col_ = col;
    updateAccessibleName();
}

void PictureCell::setNameOrigin(int row, int col)
{
    originRow_ = row;
    originCol_ = col;
    updateAccessibleName();
}

void PictureCell::setCurrent(bool current, bool ringShown)
{
    ringShown = ringShown && current;
    if (current_ == current && ringShown_ == ringShown)
        return;
    current_ = current;
    ringShown_ = ringShown;
    update();
}

QString PictureCell::describe(int row, int col, std::optional<CellPicture> shows)
{
    const QString place = tr("Row %1, column %2").arg(row + 1).arg(col + 1);
    if (!shows)
        return place;
    switch (*shows) {
    case CellPicture::Peg:
        return tr("%1: peg").arg(place);
    case CellPicture::Hole:
        return tr("%1: empty hole").arg(place);
    case CellPicture::Marked:
        return tr("%1: selected peg").arg(place);
    }
    return place;
}

void PictureCell::updateAccessibleName()
{
    if (row_ >= 0 && col_ >= 0)
        setAccessibleName(describe(row_ - originRow_, col_ - originCol_, shows_));
}

bool PictureCell::event(QEvent* event)
{
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
        Q_EMIT placeChanged();
    return result;
}

void PictureCell::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), Qt::black);
    painter.drawPixmap(0, 0, picture_);
    if (ringShown_)
        paintRing(painter);
}

void PictureCell::paintRing(QPainter& painter) const
{
    // The next cells cover the last column and row; black, yellow, black shows on every style.
    const QRect area = rect().adjusted(0, 0, -1, -1);
    frame(painter, area, 1, Qt::black);
    frame(painter, area.adjusted(1, 1, -1, -1), 2, QColor(255, 214, 0));
    frame(painter, area.adjusted(3, 3, -3, -3), 1, Qt::black);
}

void PictureCell::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    Q_EMIT mousePressed();
}

void PictureCell::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        Q_EMIT clicked();
}
