#pragma once

#include <QFont>

// The three faces the windows are designed in.
class Fonts {
public:
    // "MS Sans Serif" comes from Wine's fonts, outside fontconfig's path, so it is registered by file.
    static void registerApplicationFonts();

    static QFont msSansSerif(qreal points, bool bold = false);
    static QFont arial(qreal points, bool bold = false);
    static QFont timesNewRoman(qreal points, bool bold = false);
};
