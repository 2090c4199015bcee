#include "windows/game_over_window.h"

#include "ui/fonts.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPushButton>

GameOverFrm::GameOverFrm(int pegsLeft, QWidget* parent) : UnloadingDialog(parent)
{
    setObjectName(QStringLiteral("GameOverFrm"));
    setWindowTitle(tr("Game Over"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(Twips::size(3705, 1770));
    setModal(true);

    const bool solved = pegsLeft == 1;
    Label2 = new QLabel(solved ? tr("AWESOME!") : tr("GAME OVER"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(Twips::rect(240, 120, 3375, 375));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setFont(Fonts::msSansSerif(12, true));

    Label1 = new QLabel(solved ? tr("Congradulations! You solved this board") : tr("Sorry! There are no more legal moves"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Twips::rect(120, 600, 3495, 375));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(Fonts::msSansSerif(8.25));

    Command1 = new QPushButton(tr("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::rect(1320, 1200, 972, 372));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}
