#pragma once

#include "ui/dialogs.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

// Answers the game's modal windows from a script instead of a player.
class ScriptedDialogs : public Dialogs {
public:
    using Action = std::function<void(QDialog&)>;

    bool askYesNo(QWidget*, const QString& caption, const QString& text) override
    {
        questions.append(caption + QLatin1Char('|') + text);
        return answerYes;
    }

    // Runs the next scripted action on the window (by default "OK"), which must close it.
    void exec(QWidget* parent, QDialog& dialog) override
    {
        shown.append(dialog.windowTitle());
        parents.append(parent);
        const Action action = actions.isEmpty() ? Action([](QDialog& d) { d.accept(); }) : actions.takeFirst();
        action(dialog);
        if (dialog.isVisible())
            dialog.done(QDialog::Rejected);
    }

    bool answerYes = false;
    QStringList questions;
    QStringList shown;
    QList<QWidget*> parents;
    QList<Action> actions;
};
