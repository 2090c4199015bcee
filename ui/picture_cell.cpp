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

private:
    bool pressable() const { return widget()->isEnabled() && widget()->isVisible(); }
};

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
        setAccessibleName(describe(row_, col_, shows_));
}

void PictureCell::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), Qt::black);
    painter.drawPixmap(0, 0, picture_);
}

void PictureCell::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

void PictureCell::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        Q_EMIT clicked();
}
