#pragma once

#include <QRect>

class QFont;
class QLabel;
class QString;
class QWidget;

// What every fixed-layout window does alike: labels placed in twips, centring on the screen.
class FormLayout {
public:
    // A named plain-text label at a position and size given in twips.
    static QLabel* label(QWidget* parent, const char* name, const QRect& twips, const QString& text, const QFont& font);
    static void centreOnScreen(QWidget& window);
};
