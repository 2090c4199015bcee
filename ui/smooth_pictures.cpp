#include "ui/smooth_pictures.h"

#include "ui/built_in_picture.h"

#include <cmath>

QPixmap SmoothPictures::forRatio(const QPixmap& picture, qreal devicePixelRatio)
{
    if (picture.isNull() || qFuzzyCompare(devicePixelRatio, picture.devicePixelRatio()))
        return picture;
    const QSize logical = picture.deviceIndependentSize().toSize();
    const QSize device(static_cast<int>(std::lround(logical.width() * devicePixelRatio)),
                       static_cast<int>(std::lround(logical.height() * devicePixelRatio)));
    QPixmap resampled = picture.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    resampled.setDevicePixelRatio(devicePixelRatio);
    return resampled;
}

QIcon SmoothPictures::icon(const QString& path)
{
    const QPixmap picture = BuiltInPicture::load(path);
    QIcon icon(picture);
    if (!picture.isNull())
        icon.addPixmap(forRatio(picture, 2.0));
    return icon;
}
