#include "ui/built_in_picture.h"

#include <QFileInfo>
#include <QImageReader>

QPixmap BuiltInPicture::load(const QString& path)
{
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}
