#include "ui/modal_dialogs.h"

#include <QDialog>
#include <QMessageBox>

bool ModalDialogs::askYesNo(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void ModalDialogs::exec(QDialog& dialog)
{
    dialog.exec();
}
