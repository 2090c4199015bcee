#include "windows/about_window.h"
#include "ui/form_layout.h"

#include "core/settings/app_info.h"
#include "ui/fonts.h"
#include "ui/twips.h"
#include "ui/piece_images.h"
#include "ui/own_colours.h"
#include "ui/smooth_pictures.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

// One element of Line1: a horizontal line in twips, its colour and its width in pixels.
struct SeparatorLine {
    int x1;
    int x2;
    int y;
    QRgb colour;
    int pixels;
};

// Element 0 white and two pixels wide under element 1 in grey: the grey line sits on a white shadow.
constexpr SeparatorLine Line1[] = {
    {120, 5403, 1560, qRgb(255, 255, 255), 2},
    {120, 5403, 1560, qRgb(128, 128, 128), 1},
};

QString copyrightText()
{
    return QStringLiteral("Copyright (C) 2026 %1").arg(AppInfo::Company);
}

QString legalText()
{
    return QStringLiteral("%1 is free software: copy it and give it away as you like. "
                          "It comes with no warranty of any kind.\n"
                          "The game, its pictures, sounds and tune are an original work.")
        .arg(AppInfo::Title);
}

} // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    // A fixed dialog: close box only. A dialog without an owner stays transient for the program, out of the taskbar.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(Twips::size(5400, 2880));
    setModal(true);
    // The etched separator is drawn in fixed white and grey, for the light face it is designed on.
    OwnColours::setLightFace(*this);
    setFont(Fonts::msSansSerif(8.25));

    logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setGeometry(Twips::rect(240, 240, 855, 855));
    logo->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    titleLabel = FormLayout::label(this, "titleLabel", {1416, 240, 2916, 360}, QString(), Fonts::timesNewRoman(10.5, true));
    titleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    versionLabel = FormLayout::label(this, "versionLabel", {1440, 600, 3030, 225}, QString(), font());
    versionLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    copyrightLabel = FormLayout::label(this, "copyrightLabel", {1800, 1080, 2412, 252}, copyrightText(), Fonts::arial(8.25));
    legalLabel = FormLayout::label(this, "legalLabel", {120, 1680, 3615, 1095}, legalText(), font());
    legalLabel->setWordWrap(true);
    legalLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(Twips::rect(3960, 2040, 1260, 345));
    // Enter presses the default button; Esc rejects the dialog, which closes it just the same.
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    setWindowTitle(tr("About ") + AppInfo::Title);
    versionLabel->setText(AppInfo::versionText());
    titleLabel->setText(AppInfo::Title);
    logo->setPixmap(SmoothPictures::forRatio(PieceImages::logo(), devicePixelRatioF()));

    FormLayout::centreOnScreen(*this);
}


void AboutWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const SeparatorLine& line : Line1) {
        const int left = Twips::toPixels(line.x1);
        const int width = Twips::toPixels(line.x2) - left + 1;
        painter.fillRect(QRect(left, Twips::toPixels(line.y), width, line.pixels), QColor(line.colour));
    }
}
