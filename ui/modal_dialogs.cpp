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
    // Stays a window of its own, where it placed itself if it did: the parent makes the window manager keep it
    // over the game. A window that did not place itself is centred over the game as before.
    const bool placed = dialog.testAttribute(Qt::WA_Moved);
    const QPoint position = dialog.pos();
    dialog.setParent(parent, dialog.windowFlags());
    if (placed)
        dialog.move(position);
    dialog.exec();
}
