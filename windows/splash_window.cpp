#include "windows/splash_window.h"
#include "ui/form_layout.h"

#include "ui/app_icon.h"
#include "core/settings/app_info.h"
#include "ui/fonts.h"
#include "ui/twips.h"
#include "ui/piece_images.h"
#include "ui/smooth_pictures.h"
#include "ui/built_in_picture.h"

#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QTimer>

namespace {
// The largest icon the splash carries: decoding the big ones would hold up its first frame.
constexpr int SplashIconSize = 32;
} // namespace

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmSplash"));
    // A splash window: no caption, no buttons, not in the taskbar.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    // An empty title would be replaced by the application name; a blank one stays blank.
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(Twips::size(4440, 2550));

    handOverTimer = new QTimer(this);
    handOverTimer->setObjectName(QStringLiteral("handOverTimer"));
    handOverTimer->setInterval(2000);
    handOverTimer->setSingleShot(true);
    connect(handOverTimer, &QTimer::timeout, this, &SplashWindow::handOver);
    handOverTimer->start();

    FormLayout::centreOnScreen(*this);
    // The content comes with the first events, after the window is mapped and before it is first drawn: the first
    // control shown wakes the screen-reader bridge, whose wait on the session bus would hold up the window.
    QMetaObject::invokeMethod(this, &SplashWindow::fillIn, Qt::QueuedConnection);
}

void SplashWindow::fillIn()
{
    setWindowIcon(AppIcon::icon(SplashIconSize));
    background_ = BuiltInPicture::load(QStringLiteral(":/pictures/splash.ppm"));
    addTexts();
    logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setGeometry(Twips::rect(360, 600, 1095, 1095));
    logo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    logo->setPixmap(SmoothPictures::forRatio(PieceImages::logo(), devicePixelRatioF()));
    // Made after the window was shown, the controls are shown one by one.
    for (QWidget* child : {productLabel, versionLabel, companyLabel, copyrightLabel, logo})
        child->show();
}

void SplashWindow::addTexts()
{
    productLabel = FormLayout::label(this, "productLabel", {1920, 600, 1920, 705}, AppInfo::ProductName,
        Fonts::arial(31.5));
    // The version text is wider than its designed box and keeps the box's right edge: the label reaches left to
    // the product name's edge, right-aligned, so nothing is measured before the splash's first frame.
    versionLabel = FormLayout::label(this, "versionLabel", {1920, 1440, 2760 + 795 - 1920, 270},
        AppInfo::versionText(), Fonts::arial(12));
    versionLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    companyLabel = FormLayout::label(this, "companyLabel", {1680, 2160, 1455, 255}, AppInfo::Company,
        Fonts::arial(8.25));
    copyrightLabel = FormLayout::label(this, "copyrightLabel", {360, 2160, 1215, 255},
        tr("Freeware 2026"), Fonts::arial(8.25));
    // Black on the splash's picture whatever the desktop's palette; a palette, as a style sheet would cost the
    // first frame a style pass over every label.
    QPalette black = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        black.setColor(group, QPalette::WindowText, Qt::black);
    for (QLabel* text : {productLabel, versionLabel, companyLabel, copyrightLabel})
        text->setPalette(black);
}

void SplashWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), QColor(236, 233, 216));
    painter.drawPixmap(0, 0, background_);
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!painted_) {
        painted_ = true;
        Q_EMIT firstPainted();
    }
}
