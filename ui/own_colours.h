#pragma once

class QColor;
class QWidget;

// Colours for widgets that paint their own background, so a dark desktop palette cannot put light
// text on a light picture. Every colour group is set: a disabled or inactive window must not fall
// back to the desktop's colours either.
class OwnColours {
public:
    // The light face of a classic dialog: dark text, white fields, grey disabled text.
    static void setLightFace(QWidget& widget);
    // A page of text as a rich-text box shows it: dark text on white.
    static void setWhitePage(QWidget& widget);
    // A disabled text box: grey text on its white field.
    static void setDisabledTextBox(QWidget& widget);

    static QColor face();
    static QColor greyText();
};
