#include "ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

QFont font(const QStringList& families, qreal points, bool bold)
{
    QFont result;
    result.setFamilies(families);
    result.setPointSizeF(points);
    result.setBold(bold);
    return result;
}

} // namespace

QFont Fonts::msSansSerif(qreal points, bool bold)
{
    // A bitmap "MS Sans Serif" (Wine ships one) has fixed strikes of one weight: it would draw bold
    // as regular and a 2x screen at 1x size.
    static const QString msSansSerif = QStringLiteral("MS Sans Serif");
    QStringList families;
    if (QFontDatabase::isSmoothlyScalable(msSansSerif))
        families.append(msSansSerif);
    families.append(QStringLiteral("Liberation Sans"));
    return font(families, points, bold);
}

QFont Fonts::arial(qreal points, bool bold)
{
    return font({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, points, bold);
}

QFont Fonts::timesNewRoman(qreal points, bool bold)
{
    return font({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")}, points, bold);
}
