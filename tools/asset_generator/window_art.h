#pragma once

#include <QDir>
#include <QImage>

// Draws the window pictures (splash, status panel, undo arrow, high-score panel) and the icons.
class WindowArt {
public:
    static QImage splash();
    static QImage panel();
    static QImage undoArrow();
    static QImage highScorePanel();
    // The application icon at the given square size; the motif gets fewer holes as it shrinks.
    static QImage appIcon(int size);
    static QImage lastPegIcon();
    static QImage helpIcon();

    // Writes pictures/*.png and icons/*.png.
    static bool writeAll(const QDir& assets);
};
