#include "ui/window_placement.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>

QPoint WindowPlacement::besidePoint(const QSize& frameSize, const QRect& anchor, int keepClearBottom, const QRect& screen)
{
    const int top = std::clamp(anchor.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - frameSize.height()));
    if (anchor.right() + frameSize.width() <= screen.right())
        return {anchor.right() + 1, top};
    if (anchor.left() - frameSize.width() >= screen.left())
        return {anchor.left() - frameSize.width(), top};
    const int x = std::max(screen.left(), screen.right() + 1 - frameSize.width());
    const int lowest = std::max(screen.top(), screen.bottom() + 1 - frameSize.height());
    return {x, std::min(std::max(top, keepClearBottom), lowest)};
}

void WindowPlacement::placeBeside(QWidget& window, const QMainWindow& anchor)
{
    const QScreen* screen = anchor.screen();
    if (!screen || !anchor.isVisible())
        return;
    // The new window has no frame yet: it will get one like the anchor's.
    const QSize frame = window.size() + (anchor.frameGeometry().size() - anchor.size());
    const QMenuBar* menus = anchor.menuBar();
    const int menusBottom = menus->mapToGlobal(QPoint(0, menus->height())).y();
    window.move(besidePoint(frame, anchor.frameGeometry(), menusBottom, screen->availableGeometry()));
}
