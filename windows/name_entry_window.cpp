#include "windows/name_entry_window.h"

#include "ui/fonts.h"
#include "ui/own_colours.h"
#include "ui/twips.h"
#include "ui/name_validator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

NameEntryWindow::NameEntryWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setWindowTitle(QStringLiteral("New High Score"));
    setFixedSize(Twips::size(3795, 2595));
    OwnColours::setLightFace(*this);

    nameBox_ = new QLineEdit(this);
    nameBox_->setGeometry(Twips::rect(720, 1440, 2295, 285));
    nameBox_->setMaxLength(MaxNameLength);
    nameBox_->setValidator(new NameValidator(nameBox_));

    promptLabel_ = new QLabel(QStringLiteral("You got a new high score!  Please enter your name in the box below.  "
                                        "Click \"OK\" when your done."),
                         this);
    promptLabel_->setGeometry(Twips::rect(120, 240, 3495, 735));
    promptLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    promptLabel_->setWordWrap(true);
    promptLabel_->setFont(Fonts::msSansSerif(9.75));
    // A screen reader reads the prompt as the name box's name.
    promptLabel_->setBuddy(nameBox_);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setGeometry(Twips::rect(1440, 2040, 855, 375));
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    // The label between them takes no focus, so the tab goes from the box straight to the button.
    setTabOrder(nameBox_, okButton_);
    nameBox_->setFocus();
}

QString NameEntryWindow::name() const
{
    return nameBox_->text();
}
