// The game's smaller windows: about, last peg, the score table, the name entry, help, and where they open.
#include "core/board/board_layout.h"
#include "core/scores/high_score_table.h"
#include "game_scripts.h"
#include "support/main_window_harness.h"
#include "ui/form_layout.h"
#include "ui/modal_dialogs.h"
#include "ui/window_placement.h"
#include "windows/about_window.h"
#include "windows/help_window.h"
#include "windows/high_score_window.h"
#include "windows/last_peg_window.h"
#include "windows/main_menu.h"
#include "windows/main_window.h"
#include "windows/name_entry_window.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

namespace {

// Closes the help window by its close box and notes whether it showed any text.
void closeHelp(MainWindowHarness& h, bool* hadText)
{
    h.dialogs.actions.append([hadText](QDialog& dialog) {
        auto& help = dynamic_cast<HelpWindow&>(dialog);
        *hadText = !help.textBox->toPlainText().isEmpty();
        help.reject();
    });
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aboutFitsItsNoticesAndClosesByEnterEscOrOk()
    {
        for (const int key : {int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Escape), 0}) {
            AboutWindow about;
            const QLabel* copyright = about.copyrightLabel;
            QVERIFY(copyright->fontMetrics().horizontalAdvance(copyright->text()) <= copyright->width());
            QVERIFY(about.legalLabel->heightForWidth(about.legalLabel->width()) <= about.legalLabel->height());
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            key ? QTest::keyClick(&about, Qt::Key(key)) : QTest::mouseClick(about.okButton, Qt::LeftButton);
            QVERIFY2(!about.isVisible(), qPrintable(QString::number(key)));
        }
    }

    // Holes in blue, the board's last-peg holes in red, black around them; no board checked, no red.
    void lastPegViewDrawsTheBoardInPlay()
    {
        for (int board = 0; board <= BoardLayout::Count; ++board) {
            LastPegWindow view(board);
            const QImage image = view.grab().toImage();
            const qreal ratio = image.devicePixelRatio();
            const BoardLayout& layout = BoardLayout::forBoard(board ? board : 1);
            for (int row = 0; row < LastPegWindow::Size; ++row)
                for (int col = 0; col < LastPegWindow::Size; ++col) {
                    const QRgb drawn = image.pixel(QPoint(24 * col + 12, 24 * row + 12) * ratio);
                    const QString where = QStringLiteral("board %1, %2,%3").arg(board).arg(row).arg(col);
                    if (!board) {
                        QVERIFY2(drawn != LastPegWindow::LastPegColour, qPrintable(where));
                        continue;
                    }
                    const QRgb expected = !layout.isHole(row, col)    ? qRgb(0, 0, 0)
                        : layout.isLastPegHole(row, col) ? LastPegWindow::LastPegColour : LastPegWindow::HoleColour;
                    QVERIFY2(drawn == expected, qPrintable(where));
                }
        }
    }

    void scoreTableShowsRowsAsPlainText()
    {
        HighScoreTable table;
        table.append({QStringLiteral("anna <b>"), 3, 100.0 / 86400.0});
        table.append({QString(), 12, 3723.0 / 86400.0});
        HighScoreWindow window(QStringLiteral("European 1"), table);
        const auto row = [&](int i) {
            return QStringList({window.nameLabel(i).text(), window.scoreLabel(i).text(), window.timeLabel(i).text()});
        };
        QCOMPARE(row(1), QStringList({"anna <b>", "3 Pegs left", "00:01:40"}));
        QCOMPARE(row(2), QStringList({"", "12 Pegs left", "01:02:03"}));
        QCOMPARE(row(5), QStringList({"", "", ""}));
    }

    void nameBoxTakesFocusAndRefusesWhatCannotBeStored()
    {
        NameEntryWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QLineEdit& box = window.nameBox();
        QCOMPARE(QApplication::focusWidget(), &box);
        QTest::keyClicks(&box, QStringLiteral("abcdefghijklm"));
        QCOMPARE(box.text(), QStringLiteral("abcdefghijkl"));
        box.clear();
        QTest::keyClicks(&box, QStringLiteral("Jo\"s"));
        QCOMPARE(box.text(), QStringLiteral("Jos"));
        box.clear();
        // keyClicks takes only ASCII.
        for (const QChar c : QStringLiteral("ZoëΩ€"))
            QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(box.text(), QStringLiteral("Zoë€"));
        QTest::keyClick(&box, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &window.okButton());
    }

    void nameSurvivesEitherWayOfClosing()
    {
        for (const bool byOk : {true, false}) {
            NameEntryWindow window;
            QTimer::singleShot(0, &window, [&] {
                QTest::keyClicks(&window.nameBox(), QStringLiteral(" jo, Jo "));
                byOk ? window.okButton().click() : void(window.close());
            });
            window.exec();
            QCOMPARE(window.name(), QStringLiteral(" jo, Jo "));
        }
    }

    void lastPegViewFollowsTheBoardChoiceNotThePlay()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // With room on the right of the main window, the view opens there.
        form.move(form.screen()->availableGeometry().topLeft());
        form.menu().showLastPegItem->trigger();
        QPointer<LastPegWindow> view = form.lastPegView();
        QVERIFY(view && view->isVisible() && !view->parent());
        QVERIFY2(!view->frameGeometry().intersects(form.frameGeometry()), "the last-peg view covers the main window");
        // Asked again while open: the same window; play does not touch it.
        const QImage before = view->grab().toImage();
        form.menu().showLastPegItem->trigger();
        QCOMPARE(form.lastPegView(), view.data());
        form.newGame();
        h.play({{5, 4, 3, 4}});
        form.menu().endGameItem->trigger();
        form.menu().styleItems[0]->trigger();
        QCOMPARE(view->grab().toImage(), before);
        // Any board choice closes it, the board in play included.
        form.menu().boardItems[0]->trigger();
        QTRY_VERIFY(!view);
        // Without room either side, it opens on the new board and still leaves the menus free.
        form.menu().boardItems[2]->trigger();
        FormLayout::centreOnScreen(form);
        form.menu().showLastPegItem->trigger();
        view = form.lastPegView();
        QVERIFY(view->cell(0, 4)->isVisibleTo(view));
        const QRect menus(form.menuBar()->mapToGlobal(QPoint(0, 0)), form.menuBar()->size());
        QVERIFY2(!view->frameGeometry().intersects(menus), "the last-peg view covers the menu bar");
    }

    void besideTriesRightThenLeftThenKeepsTheMenusClear()
    {
        const QRect screen(0, 0, 1000, 700);
        const QSize view(220, 240);
        // Room on the right; one pixel short, the left; neither, the screen's right edge below the menus.
        QCOMPARE(WindowPlacement::besidePoint(view, QRect(100, 50, 500, 420), 110, screen), QPoint(600, 50));
        QCOMPARE(WindowPlacement::besidePoint(view, QRect(300, 50, 481, 420), 110, screen), QPoint(80, 50));
        QCOMPARE(WindowPlacement::besidePoint(view, QRect(150, 50, 700, 420), 110, screen), QPoint(780, 110));
        // Near the screen's foot it is lifted to fit; on a screen lower than the view its top stays on it.
        QCOMPARE(WindowPlacement::besidePoint(view, QRect(100, 600, 500, 420), 700, screen), QPoint(600, 460));
        QCOMPARE(WindowPlacement::besidePoint(view, QRect(150, 0, 700, 200), 40, QRect(0, 0, 1000, 200)), QPoint(780, 0));
    }

    void everyModalWindowHasTheMainWindowAsParent()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        form.menu().aboutItem->trigger();
        bool hadText = true;
        closeHelp(h, &hadText);
        form.menu().helpItem->trigger();
        QVERIFY(!hadText);
        form.menu().highScoreItems[1]->trigger();
        h.chooseBoard(2);
        form.newGame();
        h.play(GameScripts::europeanOneStuck);
        QCOMPARE(h.dialogs.shown, (QStringList{"About Hopnix33", "Hopnix Help", "High Scores", "Game Over",
                                               "New High Score"}));
        for (QWidget* parent : h.dialogs.parents)
            QCOMPARE(parent, &form);

        QFile document(h.dir() + QStringLiteral("/PegHelp.rtf"));
        QVERIFY(document.open(QIODevice::WriteOnly));
        document.write("{\\rtf1\\ansi {\\b How to play} a peg jumps.\\par}");
        document.close();
        closeHelp(h, &hadText);
        form.showHelp();
        QVERIFY(hadText);
    }

    void aModalWindowIsTransientForItsOwner()
    {
        QMainWindow owner;
        owner.setGeometry(300, 200, 200, 150);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        AboutWindow about;
        const QPoint centred = about.pos();
        bool checked = false;
        QTimer::singleShot(0, &about, [&] {
            QCOMPARE(about.parentWidget(), &owner);
            QCOMPARE(about.pos(), centred);
            QCOMPARE(about.windowHandle()->transientParent(), owner.windowHandle());
            checked = true;
            about.accept();
        });
        ModalDialogs().exec(&owner, about);
        QVERIFY(checked);
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
