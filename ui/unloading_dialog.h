#pragma once

#include <QDialog>

// A modal window that tells, once and while still on screen, that it is closing: by its button or its close box.
class UnloadingDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    void done(int result) override;

Q_SIGNALS:
    void queryUnload();

private:
    bool closing_ = false;
};
