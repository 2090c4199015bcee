#pragma once

#include <QIcon>

// The program's icon in every size the art carries, so each window and the taskbar pick a sharp one.
class AppIcon {
public:
    static QIcon icon();
};
