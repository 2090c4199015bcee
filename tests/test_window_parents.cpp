// Where the windows open around the main window: modal windows transient for it, the last-peg view beside it.
#include "game_scripts.h"
#include "support/main_window_harness.h"
#include "ui/form_layout.h"
#include "ui/modal_dialogs.h"
#include "ui/window_placement.h"
#include "windows/about_window.h"
#include "windows/main_menu.h"
#include "windows/main_window.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

class TestWindowParents : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyModalWindowHasTheMainWindowAsParent()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        form.menu().AboutPeg->trigger();
        form.menu().PegHelp->trigger();
        form.menu().HighScoreItem[1]->trigger();
        h.chooseBoard(2);
        form.newGame();
        h.play(GameScripts::europeanOneStuck);
        // Game Over, then the name entry for the first result of an empty table.
        QCOMPARE(h.dialogs.shown.size(), 5);
        QCOMPARE(h.dialogs.shown.last(), QStringLiteral("New High Score"));
        for (QWidget* parent : h.dialogs.parents)
            QCOMPARE(parent, &form);
    }

    void aModalWindowStaysAWindowWhereItWasCentred()
    {
        QMainWindow owner;
        owner.setGeometry(300, 200, 200, 150);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        AboutWindow about;
        const QPoint centred = about.pos();
        bool checked = false;
        QTimer::singleShot(0, &about, [&] {
            QVERIFY(about.isWindow());
            QCOMPARE(about.parentWidget(), &owner);
            QCOMPARE(about.pos(), centred);
            QCOMPARE(about.windowHandle()->transientParent(), owner.windowHandle());
            checked = true;
            about.accept();
        });
        ModalDialogs().exec(&owner, about);
        QVERIFY(checked);

        // A window that did not place itself opens over the game, not in the screen's corner.
        QDialog unplaced;
        unplaced.resize(60, 40);
        QPoint centre;
        QTimer::singleShot(0, &unplaced, [&] {
            centre = unplaced.frameGeometry().center();
            unplaced.accept();
        });
        ModalDialogs().exec(&owner, unplaced);
        QVERIFY(owner.frameGeometry().contains(centre));
    }

    void besideTriesRightThenLeftThenKeepsTheMenusClear()
    {
        const QRect screen(0, 0, 1000, 700);
        const QSize view(220, 240);
        // Room on the right: level with the main window's top.
        QCOMPARE(WindowPlacement::besidePoint(view, QRect(100, 50, 500, 420), 110, screen), QPoint(600, 50));
        // The right edge is one pixel short: the left side.
        QCOMPARE(WindowPlacement::besidePoint(view, QRect(300, 50, 481, 420), 110, screen), QPoint(80, 50));
        // No room either side: at the screen's right edge, its top below the menus.
        QCOMPARE(WindowPlacement::besidePoint(view, QRect(150, 50, 700, 420), 110, screen), QPoint(780, 110));
        // Beside a window near the screen's foot, it is lifted to fit.
        QCOMPARE(WindowPlacement::besidePoint(view, QRect(100, 600, 500, 420), 700, screen), QPoint(600, 460));
        // On a screen lower than the view, its top stays on the screen.
        QCOMPARE(WindowPlacement::besidePoint(view, QRect(150, 0, 700, 200), 40, QRect(0, 0, 1000, 200)), QPoint(780, 0));
    }

    void lastPegViewOpensClearOfTheMenuBar()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // With room on the right of the main window, the view opens there.
        form.move(form.screen()->availableGeometry().topLeft());
        form.menu().ShowLastPeg->trigger();
        QPointer<LastPegWindow> view = form.lastPegView();
        QVERIFY(view);
        QVERIFY2(!view->frameGeometry().intersects(form.frameGeometry()), "the last-peg view covers the main window");
        view->close();
        QTRY_VERIFY(!view);
        // Without room either side, it still leaves the menus free.
        FormLayout::centreOnScreen(form);
        form.menu().ShowLastPeg->trigger();
        view = form.lastPegView();
        QVERIFY(view);
        const QRect menus(form.menuBar()->mapToGlobal(QPoint(0, 0)), form.menuBar()->size());
        QVERIFY2(!view->frameGeometry().intersects(menus), "the last-peg view covers the menu bar");
    }
};

QTEST_MAIN(TestWindowParents)
#include "test_window_parents.moc"
