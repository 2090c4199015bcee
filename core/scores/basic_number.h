#pragma once

#include <QByteArray>
#include <QtGlobal>

// Numbers as the score files hold them: a sign position (blank or '-'), the number, one trailing blank.
class BasicNumber {
public:
    static QByteArray field(qint64 value);
    // At most 15 significant digits and no zero before the point (" .5 "). Magnitudes below 0.1 or
    // from 1E+15 up take exponent form with a signed exponent of at least two digits (" 1.5E-03 ").
    // Non-finite values, which no game produces, are written as 0.
    static QByteArray field(double value);
};
