#include "ui/app_icon.h"

#include "ui/built_in_picture.h"

QIcon AppIcon::icon(int largest)
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        if (size <= largest)
            icon.addPixmap(BuiltInPicture::load(QStringLiteral(":/icons/hopnix-%1.png").arg(size)));
    }
    return icon;
}
