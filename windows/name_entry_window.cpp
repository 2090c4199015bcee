#include "windows/name_entry_window.h"

#include "ui/fonts.h"
#include "ui/twips.h"
#include "ui/name_validator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

HewHighScoreFrm::HewHighScoreFrm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setWindowTitle(QStringLiteral("New High Score"));
    setFixedSize(Twips::size(3795, 2595));

    text1_ = new QLineEdit(this);
    text1_->setGeometry(Twips::rect(720, 1440, 2295, 285));
    text1_->setMaxLength(MaxNameLength);
    text1_->setValidator(new NameValidator(text1_));

    label1_ = new QLabel(QStringLiteral("You got a new high score!  Please enter your name in the box below.  "
                                        "Click \"OK\" when your done."),
                         this);
    label1_->setGeometry(Twips::rect(120, 240, 3495, 735));
    label1_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label1_->setWordWrap(true);
    label1_->setFont(Fonts::msSansSerif(9.75));

    command1_ = new QPushButton(QStringLiteral("OK"), this);
    command1_->setGeometry(Twips::rect(1440, 2040, 855, 375));
    connect(command1_, &QPushButton::clicked, this, &QDialog::accept);

    // The label between them takes no focus, so the tab goes from the box straight to the button.
    setTabOrder(text1_, command1_);
    text1_->setFocus();
}

QString HewHighScoreFrm::name() const
{
    return text1_->text();
}
