#pragma once

#include <QPixmap>
#include <QString>

// The pictures the program carries are PNG and BMP files, which Qt reads itself. Read by their suffix with
// content sniffing off, so no image-format plugin is loaded to ask whether it knows them.
class BuiltInPicture {
public:
    // A null pixmap when the picture is not there.
    static QPixmap load(const QString& path);
};
