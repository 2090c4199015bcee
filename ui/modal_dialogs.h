#pragma once

#include "ui/dialogs.h"

// The real modal windows: each runs its own event loop until the player closes it.
class ModalDialogs : public Dialogs {
public:
    bool askYesNo(QWidget* parent, const QString& caption, const QString& text) override;
    void exec(QWidget* parent, QDialog& dialog) override;
};
