#include "ui/unloading_dialog.h"

void UnloadingDialog::done(int result)
{
    if (!closing_) {
        closing_ = true;
        Q_EMIT queryUnload();
    }
    QDialog::done(result);
}
