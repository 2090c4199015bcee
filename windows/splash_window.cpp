#include "windows/splash_window.h"
#include "ui/form_layout.h"

#include "ui/app_icon.h"
#include "core/settings/app_info.h"
#include "ui/fonts.h"
#include "ui/twips.h"
#include "ui/piece_images.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

FrmSplash::FrmSplash(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmSplash"));
    // A splash window: no caption, no buttons, not in the taskbar.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setWindowIcon(AppIcon::icon());
    setFixedSize(Twips::size(4440, 2550));

    lblProductName = FormLayout::label(this, "lblProductName", {1920, 600, 1920, 705}, AppInfo::ProductName, Fonts::arial(31.5));
    lblVersion = FormLayout::label(this, "lblVersion", {2760, 1440, 795, 270}, AppInfo::versionText(), Fonts::arial(12));
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignTop);
    // The version label sizes itself to its text and keeps its right edge.
    const int right = lblVersion->geometry().right();
    lblVersion->adjustSize();
    lblVersion->move(right - lblVersion->width() + 1, lblVersion->y());
    lblCompany = FormLayout::label(this, "lblCompany", {1680, 2160, 1455, 255}, AppInfo::Company, Fonts::arial(8.25));
    lblCopyright = FormLayout::label(this, "lblCopyright", {360, 2160, 1215, 255}, tr("Freeware 2026"), Fonts::arial(8.25));
    for (QLabel* text : {lblProductName, lblVersion, lblCompany, lblCopyright})
        text->setStyleSheet(QStringLiteral("color: black;"));

    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setGeometry(Twips::rect(360, 600, 1095, 1095));
    imgLogo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imgLogo->setPixmap(PieceImages::logo());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(2000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &FrmSplash::handOver);
    Timer1->start();

    FormLayout::centreOnScreen(*this);
}


void FrmSplash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(236, 233, 216));
    painter.drawPixmap(0, 0, QPixmap(QStringLiteral(":/pictures/splash.png")));
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
