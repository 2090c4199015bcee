#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures are drawn for 96 dpi; on a scaled screen they are resampled smoothly rather than
// repeated pixel by pixel.
class SmoothPictures {
public:
    // The picture resampled for a device pixel ratio, at the same size in logical pixels.
    static QPixmap forRatio(const QPixmap& picture, qreal devicePixelRatio);
    // An icon that also holds a smooth double-size version of its picture.
    static QIcon icon(const QString& path);
};
