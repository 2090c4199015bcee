// The main window's secondary windows: the last-peg view, help with its music points, about.
#include "windows/main_window.h"
#include "windows/main_menu.h"
#include "windows/music_control.h"
#include "support/main_window_harness.h"
#include "windows/help_window.h"
#include "windows/last_peg_window.h"

#include <QAction>
#include <QFile>
#include <QTest>
#include <QTextEdit>
#include <functional>

namespace {

// Closes the help window by its close box and notes whether it showed any text.
void closeHelp(MainWindowHarness& h, bool* hadText = nullptr)
{
    h.dialogs.actions.append([hadText](QDialog& dialog) {
        auto& help = dynamic_cast<HelpWindow&>(dialog);
        if (hadText)
            *hadText = !help.textBox->toPlainText().isEmpty();
        help.reject();
    });
}

} // namespace

class TestSecondaryWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lastPegViewFollowsTheBoardChoice()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        QVERIFY(!form.lastPegView());
        form.menu().ShowLastPeg->trigger();
        QPointer<LastPegWindow> first = form.lastPegView();
        QVERIFY(first && first->isVisible() && !first->parent());
        QVERIFY(first->cell(5, 1)->isVisibleTo(first));
        // Asked again while open: the same window.
        form.menu().ShowLastPeg->trigger();
        QCOMPARE(form.lastPegView(), first.data());
        // Any board choice closes it, the board in play included.
        form.menu().Level[0]->trigger();
        QTRY_VERIFY(!first);
        form.menu().Level[2]->trigger();
        form.menu().ShowLastPeg->trigger();
        QVERIFY(form.lastPegView()->cell(0, 4)->isVisibleTo(form.lastPegView()));
    }

    void lastPegViewIsUntouchedByPlay()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        form.showLastPeg();
        QPointer<LastPegWindow> view = form.lastPegView();
        const QImage before = view->grab().toImage();
        form.newGame();
        h.click(5, 4);
        h.click(3, 4);
        form.menu().EndGame->trigger();
        form.menu().StyleItem[0]->trigger();
        QVERIFY(view);
        QCOMPARE(view->grab().toImage(), before);
    }

    void helpItemsOpenTheirWindows()
    {
        MainWindowHarness h;
        bool hadText = true;
        closeHelp(h, &hadText);
        h.form().menu().PegHelp->trigger();
        QVERIFY(!hadText);
        // Each Help item opens its own window.
        h.form().menu().AboutPeg->trigger();
        QCOMPARE(h.dialogs.shown, (QStringList{"Hopnix Help", "About Hopnix33"}));

        QFile document(h.dir() + QStringLiteral("/PegHelp.rtf"));
        QVERIFY(document.open(QIODevice::WriteOnly));
        document.write("{\\rtf1\\ansi {\\b How to play} a peg jumps.\\par}");
        document.close();
        closeHelp(h, &hadText);
        h.form().showHelp();
        QVERIFY(hadText);
    }

    void helpStopsTheMusicAndResumesOnlyAGameTune()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        // Never started, playing, paused, music off: only a playing tune resumes on closing.
        const std::vector<std::pair<std::function<void()>, QStringList>> steps{
            {[] {}, {"stop"}},
            {[&] { form.newGame(); }, {"stop", "play"}},
            {[&] { form.togglePause(); }, {"stop"}},
            {[&] {
                 form.togglePause();
                 form.menu().MusicOff->trigger();
             }, {"stop"}}};
        for (const auto& [before, expected] : steps) {
            before();
            h.music.commands.clear();
            closeHelp(h);
            form.showHelp();
            QCOMPARE(h.music.commands, expected);
        }
    }
};

QTEST_MAIN(TestSecondaryWindows)
#include "test_secondary_windows.moc"
