// Playing in the main window: New Game, clicks and their sounds, undo, the end of a game, music.
#include "ui/board_view.h"
#include "windows/main_window.h"
#include "windows/main_menu.h"
#include "windows/status_panel.h"
#include "ui/picture_cell.h"
#include "ui/piece_images.h"
#include "game_scripts.h"
#include "windows/game_over_window.h"
#include "support/main_window_harness.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

bool shows(const MainWindowHarness& h, int row, int col, const QPixmap& picture)
{
    return h.form().boardView().cell(row, col)->picture().toImage() == picture.toImage();
}

} // namespace

class TestGamePlay : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newGameDuringAGameRestarts()
    {
        MainWindowHarness h;
        h.form().newGame();
        h.click(5, 4);
        h.click(3, 4);
        h.click(3, 2);
        h.time.advanceSeconds(7);
        h.form().onClockTick();
        h.form().newGame();
        QCOMPARE(h.form().panel().pegsLeftValue->text(), QStringLiteral("36"));
        QVERIFY(!h.form().game().pegSelected());
        QVERIFY(!h.form().panel().undoButton->isEnabled());
        // The clock label keeps its text until the next tick, which counts from zero.
        QCOMPARE(h.form().panel().timeValue->text(), QStringLiteral("0:0:7"));
        h.time.advanceSeconds(1);
        h.form().onClockTick();
        QCOMPARE(h.form().panel().timeValue->text(), QStringLiteral("0:0:1"));
    }

    void theLastJumpShowsTheVerdict_data()
    {
        QTest::addColumn<bool>("solved");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("message");
        QTest::newRow("solved, closed by OK") << true << "AWESOME!" << "Congradulations! You solved this board";
        QTest::newRow("stuck, closed by the close box") << false << "GAME OVER" << "Sorry! There are no more legal moves";
    }
    void theLastJumpShowsTheVerdict()
    {
        QFETCH(bool, solved);
        QFETCH(QString, heading);
        QFETCH(QString, message);
        MainWindowHarness h;
        h.chooseBoard(2);
        h.form().newGame();
        QStringList seen;
        h.dialogs.actions.append([&seen, solved](QDialog& dialog) {
            auto& over = dynamic_cast<GameOverWindow&>(dialog);
            seen = {over.heading->text(), over.message->text()};
            solved ? over.okButton->click() : over.reject();
        });
        const std::vector<Jump>& jumps = solved ? GameScripts::europeanOneSolved : GameScripts::europeanOneStuck;
        h.play(jumps);
        // The first result on an empty table ranks, so the name window follows.
        QCOMPARE(h.dialogs.shown, (QStringList{"Game Over", "New High Score"}));
        QCOMPARE(seen, (QStringList{heading, message}));
        // The final position stays on the board, which takes no more clicks.
        const PieceImages::Set set = PieceImages::load(4, true);
        QVERIFY(shows(h, jumps.back()[2], jumps.back()[3], set.PegPicture));
        QVERIFY(shows(h, jumps.back()[0], jumps.back()[1], set.HolePicture));
        // The last sound is the last jump's pop, made before the window opened.
        QCOMPARE(h.soundNames().last(), QStringLiteral("Pop2.wav"));
        h.click(jumps.back()[2], jumps.back()[3]);
        QVERIFY(!h.form().game().pegSelected());
    }

    void movesPlayTheirSoundsAndRefusedClicksNone()
    {
        // Classic: (3,4) is the empty start hole.
        MainWindowHarness h;
        MainWindow& form = h.form();
        form.newGame();
        for (const auto& [row, col] : {std::pair{3, 4}, {5, 4}, {5, 4}, {5, 4}, {5, 3}, {3, 4}})
            h.click(row, col); // refused, select, deselect, select, refused, the jump
        QTest::mouseClick(form.panel().undoButton, Qt::LeftButton);
        QCOMPARE(h.soundNames(), (QStringList{"Change.wav", "Change.wav", "Change.wav", "Pop2.wav", "redo.wav"}));
        for (const QString& path : h.sound.played)
            QVERIFY(path.startsWith(h.dir() + QLatin1Char('/')));
        // The undone jump is back on the board and cannot be undone twice.
        QVERIFY(!form.panel().undoButton->isEnabled());
        QCOMPARE(form.panel().pegsLeftValue->text(), QStringLiteral("36"));
        const PieceImages::Set set = PieceImages::load(4, true);
        QVERIFY(shows(h, 5, 4, set.PegPicture) && shows(h, 3, 4, set.HolePicture));

        // Sound off silences every kind of sound until it is on again.
        h.sound.played.clear();
        form.menu().SoundOff->trigger();
        h.play({{5, 4, 3, 4}});
        form.undoMove();
        QVERIFY(h.sound.played.isEmpty());
        form.menu().SoundOn->trigger();
        h.click(5, 4);
        QCOMPARE(h.soundNames(), QStringList{"Change.wav"});
    }

    // The tune starts with the first game only and follows pause, the Music menu and End Game.
    void musicFollowsTheGame()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        QStringList& commands = h.music.commands;
        // Off and on between games starts nothing.
        form.menu().MusicOff->trigger();
        form.menu().MusicOn->trigger();
        QCOMPARE(commands.mid(1), (QStringList{"stop"}));
        commands.clear();
        form.newGame();
        form.newGame();
        form.endGame();
        form.newGame();
        QCOMPARE(commands, (QStringList{"prev", "play"}));
        commands.clear();
        form.togglePause();
        form.togglePause();
        QCOMPARE(commands, (QStringList{"stop", "play"}));
        commands.clear();
        // On while already on does nothing; off and on while paused plays at once.
        form.menu().MusicOn->trigger();
        form.togglePause();
        form.menu().MusicOff->trigger();
        form.menu().MusicOn->trigger();
        form.togglePause();
        QCOMPARE(commands, (QStringList{"stop", "stop", "play", "play"}));
        commands.clear();
        // End Game while paused goes on first.
        form.togglePause();
        form.menu().EndGame->trigger();
        QCOMPARE(commands, (QStringList{"stop", "play"}));
        // With music off, pause leaves the device alone.
        form.menu().MusicOff->trigger();
        form.newGame();
        commands.clear();
        form.togglePause();
        form.togglePause();
        QVERIFY(commands.isEmpty());
    }

    void musicOffAtTheFirstGameStartsTheTuneLater()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        form.menu().MusicOff->trigger();
        h.music.commands.clear();
        form.newGame();
        QVERIFY(h.music.commands.isEmpty());
        form.menu().MusicOn->trigger();
        form.newGame();
        QCOMPARE(h.music.commands, (QStringList{"play", "prev", "play"}));
    }

    void tuneLoopsAtItsLoopPointAndAtItsEnd()
    {
        MainWindowHarness h;
        h.form().newGame();
        h.music.commands.clear();
        h.music.reach(662);
        QVERIFY(h.music.commands.isEmpty());
        h.music.reach(663);
        QCOMPARE(h.music.commands, (QStringList{"prev", "play"}));
        // A tune shorter than the loop point restarts at its end.
        h.music.reach(400, true);
        QCOMPARE(h.music.commands, (QStringList{"prev", "play", "prev", "play"}));
    }
};

QTEST_MAIN(TestGamePlay)
#include "test_game_play.moc"
