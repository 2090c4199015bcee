#include "windows/game_over_window.h"

#include "ui/fonts.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPushButton>

GameOverWindow::GameOverWindow(int pegsLeft, QWidget* parent) : UnloadingDialog(parent)
{
    setObjectName(QStringLiteral("GameOverWindow"));
    setWindowTitle(tr("Game Over"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(Twips::size(3705, 1770));
    setModal(true);

    const bool solved = pegsLeft == 1;
    heading = new QLabel(solved ? tr("AWESOME!") : tr("GAME OVER"), this);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setGeometry(Twips::rect(240, 120, 3375, 375));
    heading->setAlignment(Qt::AlignCenter);
    heading->setFont(Fonts::msSansSerif(12, true));

    message = new QLabel(solved ? tr("Congradulations! You solved this board") : tr("Sorry! There are no more legal moves"), this);
    message->setObjectName(QStringLiteral("message"));
    message->setGeometry(Twips::rect(120, 600, 3495, 375));
    message->setAlignment(Qt::AlignCenter);
    message->setFont(Fonts::msSansSerif(8.25));

    okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(Twips::rect(1320, 1200, 972, 372));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}
