#include "ui/fonts.h"

#include <QFile>
#include <QFontDatabase>

namespace {

QFont font(const QString& family, qreal points, bool bold)
{
    QFont result(family);
    result.setPointSizeF(points);
    result.setBold(bold);
    return result;
}

} // namespace

void Fonts::registerApplicationFonts()
{
    static const QString wineSansSerif = QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf");
    if (QFile::exists(wineSansSerif))
        QFontDatabase::addApplicationFont(wineSansSerif);
}

QFont Fonts::msSansSerif(qreal points, bool bold)
{
    return font(QStringLiteral("MS Sans Serif"), points, bold);
}

QFont Fonts::arial(qreal points, bool bold)
{
    return font(QStringLiteral("Arial"), points, bold);
}

QFont Fonts::timesNewRoman(qreal points, bool bold)
{
    return font(QStringLiteral("Times New Roman"), points, bold);
}
