#pragma once

#include <QFont>

// The three faces the windows are designed in, each falling back to its metric twin from Liberation.
class Fonts {
public:
    // "MS Sans Serif" only where a scalable face of that name is installed; else Liberation Sans,
    // whose regular widths are within a few per cent of it and whose bold is a real bold outline.
    static QFont msSansSerif(qreal points, bool bold = false);
    static QFont arial(qreal points, bool bold = false);
    static QFont timesNewRoman(qreal points, bool bold = false);
};
