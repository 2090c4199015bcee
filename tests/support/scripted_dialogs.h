#pragma once

#include "ui/dialogs.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <QTest>
#include <functional>

// Answers the game's modal windows from a script instead of a player. The window is shown while
// its action runs; an action that leaves it open, or a script with actions left over, fails the test.
class ScriptedDialogs : public Dialogs {
public:
    using Action = std::function<void(QDialog&)>;

    ScriptedDialogs() = default;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;
    ~ScriptedDialogs() override
    {
        if (!actions.isEmpty())
            QTest::qFail("a scripted answer was left for a window that never opened", __FILE__, __LINE__);
    }

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
        dialog.show();
        action(dialog);
        if (!dialog.isVisible())
            return;
        QTest::qFail(qPrintable(QStringLiteral("the window \"%1\" was left open").arg(dialog.windowTitle())),
                     __FILE__, __LINE__);
        dialog.done(QDialog::Rejected);
    }

    bool answerYes = false;
    QStringList questions;
    QStringList shown;
    QList<QWidget*> parents;
    QList<Action> actions;
};
