#include "core/scores/basic_number.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int SignificantDigits = 15;

QByteArray exponentForm(const QByteArray& digits, int exponent)
{
    QByteArray text = digits.left(1);
    if (digits.size() > 1)
        text += '.' + digits.mid(1);
    text += exponent < 0 ? "E-" : "E+";
    const QByteArray magnitude = QByteArray::number(std::abs(exponent));
    return text + (magnitude.size() < 2 ? "0" + magnitude : magnitude);
}

// For exponents from -1 to 14, where the digits fit without an exponent.
QByteArray fixedForm(const QByteArray& digits, int exponent)
{
    if (exponent < 0)
        return '.' + digits;
    const qsizetype whole = exponent + 1;
    if (digits.size() <= whole)
        return digits + QByteArray(whole - digits.size(), '0');
    return digits.left(whole) + '.' + digits.mid(whole);
}

} // namespace

QByteArray BasicNumber::field(qint64 value)
{
    return (value < 0 ? "" : " ") + QByteArray::number(value) + ' ';
}

QByteArray BasicNumber::field(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return " 0 ";
    // Rounding to 15 digits first decides the form, so 0.09999999999999999 prints as ".1".
    const QByteArray printed = QByteArray::number(std::fabs(value), 'e', SignificantDigits - 1);
    const qsizetype e = printed.indexOf('e');
    QByteArray digits = printed.left(1) + printed.mid(2, e - 2);
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);
    const int exponent = printed.mid(e + 1).toInt();
    const bool fixed = exponent >= -1 && exponent < SignificantDigits;
    return (value < 0 ? "-" : " ") + (fixed ? fixedForm(digits, exponent) : exponentForm(digits, exponent)) + ' ';
}
