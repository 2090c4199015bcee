#pragma once

#include <QIcon>

// The program's icon in every size the art carries, so each window and the taskbar pick a sharp one.
class AppIcon {
public:
    // Sizes up to largest pixels; the splash, never in the taskbar, takes the small ones and starts sooner.
    static QIcon icon(int largest = 256);
};
