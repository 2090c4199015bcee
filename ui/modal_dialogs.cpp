#include "ui/modal_dialogs.h"

#include <QDialog>
#include <QMessageBox>

bool ModalDialogs::askYesNo(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void ModalDialogs::exec(QWidget* parent, QDialog& dialog)
{
    // Stays a window of its own where it was placed: the parent only makes the window manager keep it over the game.
    const QPoint placed = dialog.pos();
    dialog.setParent(parent, dialog.windowFlags());
    dialog.move(placed);
    dialog.exec();
}
