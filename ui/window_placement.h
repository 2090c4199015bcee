#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QMainWindow;
class QWidget;

// Where a free-standing window opens next to the main window without hiding its menus.
class WindowPlacement {
public:
    // The top-left corner for a frame of frameSize beside anchor (a frame rectangle) on screen: to its right,
    // else to its left, else at the screen's right edge with its top no higher than keepClearBottom.
    static QPoint besidePoint(const QSize& frameSize, const QRect& anchor, int keepClearBottom, const QRect& screen);
    // Moves window beside the main window. Compositors that place windows themselves ignore the move.
    static void placeBeside(QWidget& window, const QMainWindow& anchor);
};
