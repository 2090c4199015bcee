#pragma once

#include <QString>

class QDialog;
class QWidget;

// How the game shows its modal windows; tests answer them without a player.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The Yes/No question with a question icon, Yes the default; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
    // Runs a modal window, transient for parent (the main window), until it has closed.
    virtual void exec(QWidget* parent, QDialog& dialog) = 0;
};
