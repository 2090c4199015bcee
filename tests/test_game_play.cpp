// Playing in the main window: New Game, clicks and their sounds, pause, End Game, undo, the end of a game, music.
#include "ui/board_view.h"
#include "core/board/board_layout.h"
#include "windows/main_window.h"
#include "windows/main_menu.h"
#include "windows/music_control.h"
#include "windows/status_panel.h"
#include "ui/picture_cell.h"
#include "ui/piece_images.h"
#include "game_scripts.h"
#include "windows/game_over_window.h"
#include "support/main_window_harness.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

void chooseBoard(MainWindowHarness& h, int board)
{
    h.form().menu().Level[static_cast<std::size_t>(board - 1)]->trigger();
}

void play(MainWindowHarness& h, const std::vector<Jump>& jumps)
{
    for (const Jump& j : jumps) {
        h.click(j[0], j[1]);
        h.click(j[2], j[3]);
    }
}

// Closes the end-of-game window the way given and remembers its texts.
struct GameOverSeen {
    QString heading;
    QString message;
};

void answerGameOver(MainWindowHarness& h, GameOverSeen& seen, bool byCloseBox)
{
    h.dialogs.actions.append([&seen, byCloseBox](QDialog& dialog) {
        auto& frm = dynamic_cast<GameOverWindow&>(dialog);
        seen = {frm.heading->text(), frm.message->text()};
        if (byCloseBox)
            frm.reject();
        else
            frm.okButton->click();
    });
}

const QPixmap& pictureAt(const MainWindowHarness& h, int row, int col)
{
    return h.form().boardView().cell(row, col)->picture();
}

} // namespace

class TestGamePlay : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newGameSetsUpEveryBoard();
    void newGameDuringAGameRestarts();
    void theLastJumpShowsTheVerdict_data();
    void theLastJumpShowsTheVerdict();
    void movesPlayTheirSoundsAndRefusedClicksNone();
    void soundOffSilencesEverything();
    void pauseKeepsTheSelection();
    void endGameWhilePausedResumesFirst();
    void undoButton();
    void musicStartsWithTheFirstGameOnly();
    void musicFollowsPauseAndTheMenu();
    void musicOffAtTheFirstGame();
    void tuneLoopsAtItsLoopPointAndAtItsEnd();
};

void TestGamePlay::newGameSetsUpEveryBoard()
{
    MainWindowHarness h;
    const PieceImages::Set set = PieceImages::load(4, true);
    for (int board = 1; board <= 5; ++board) {
        const BoardLayout& layout = BoardLayout::forBoard(board);
        chooseBoard(h, board);
        h.form().newGame();
        QCOMPARE(h.form().panel().pegsLeftValue->text(), QString::number(layout.PegsAtStart));
        QVERIFY(pictureAt(h, layout.startRow, layout.startCol).toImage() == set.HolePicture.toImage());
        h.form().endGame();
        QCOMPARE(h.form().panel().pegsLeftValue->text(), QString::number(layout.PegsAtStart));
    }
}

void TestGamePlay::newGameDuringAGameRestarts()
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
    QVERIFY(h.form().game().board()(5, 4).Pegged);
    QVERIFY(!h.form().panel().undoButton->isEnabled());
    // The clock label keeps its text until the next tick, which counts from zero.
    QCOMPARE(h.form().panel().timeValue->text(), QStringLiteral("0:0:7"));
    h.time.advanceSeconds(1);
    h.form().onClockTick();
    QCOMPARE(h.form().panel().timeValue->text(), QStringLiteral("0:0:1"));
}

void TestGamePlay::theLastJumpShowsTheVerdict_data()
{
    QTest::addColumn<bool>("solved");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("pegsLeft");
    QTest::newRow("solved, closed by OK") << true << "AWESOME!" << "Congradulations! You solved this board" << "1";
    QTest::newRow("stuck, closed by the close box") << false << "GAME OVER" << "Sorry! There are no more legal moves"
                                                    << "8";
}

void TestGamePlay::theLastJumpShowsTheVerdict()
{
    QFETCH(bool, solved);
    QFETCH(QString, heading);
    QFETCH(QString, message);
    QFETCH(QString, pegsLeft);
    MainWindowHarness h;
    chooseBoard(h, 2);
    h.form().newGame();
    GameOverSeen seen;
    answerGameOver(h, seen, !solved);
    play(h, solved ? GameScripts::europeanOneSolved : GameScripts::europeanOneStuck);
    // The first result on an empty table ranks, so the name window follows.
    QCOMPARE(h.dialogs.shown, (QStringList{"Game Over", "New High Score"}));
    QCOMPARE(seen.heading, heading);
    QCOMPARE(seen.message, message);
    QCOMPARE(h.form().panel().pegsLeftValue->text(), pegsLeft);
    // The final position stays on the board, which takes no more clicks.
    const Jump& last = (solved ? GameScripts::europeanOneSolved : GameScripts::europeanOneStuck).back();
    const PieceImages::Set set = PieceImages::load(4, true);
    QVERIFY(pictureAt(h, last[2], last[3]).toImage() == set.PegPicture.toImage());
    QVERIFY(pictureAt(h, last[0], last[1]).toImage() == set.HolePicture.toImage());
    // The last sound is the last jump's pop, made before the window opened.
    QCOMPARE(h.soundNames().last(), QStringLiteral("Pop2.wav"));
    h.click(last[2], last[3]);
    QVERIFY(!h.form().game().pegSelected());
}

void TestGamePlay::movesPlayTheirSoundsAndRefusedClicksNone()
{
    // Classic: (3,4) is the empty start hole.
    MainWindowHarness h;
    h.form().newGame();
    h.click(3, 4); // a hole with nothing selected: refused
    h.click(5, 4); // select
    h.click(5, 4); // deselect
    h.click(5, 4); // select
    h.click(5, 3); // another peg: refused
    h.click(3, 4); // the jump
    h.form().undoMove();
    QCOMPARE(h.soundNames(), (QStringList{"Change.wav", "Change.wav", "Change.wav", "Pop2.wav", "redo.wav"}));
    for (const QString& path : h.sound.played)
        QVERIFY(path.startsWith(h.dir() + QLatin1Char('/')));
}

void TestGamePlay::soundOffSilencesEverything()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    form.menu().SoundOff->trigger();
    form.newGame();
    h.click(5, 4);
    h.click(3, 4);
    form.undoMove();
    QVERIFY(h.sound.played.isEmpty());
    form.menu().SoundOn->trigger();
    h.click(5, 4);
    QCOMPARE(h.soundNames(), QStringList{"Change.wav"});
}

void TestGamePlay::pauseKeepsTheSelection()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    form.newGame();
    h.click(5, 4);
    form.menu().Pause->trigger();
    form.menu().Pause->trigger();
    QVERIFY(form.game().pegSelected());
    QCOMPARE(form.game().selRow(), 5);
    h.click(3, 4);
    QCOMPARE(form.panel().pegsLeftValue->text(), QStringLiteral("35"));
}

void TestGamePlay::endGameWhilePausedResumesFirst()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    form.newGame();
    h.click(5, 4);
    h.click(3, 4);
    form.togglePause();
    h.music.commands.clear();
    form.menu().EndGame->trigger();
    QCOMPARE(h.music.commands, QStringList{"play"});
    QVERIFY(!form.panel().undoButton->isEnabled());
    // Every hole shows a peg again and the board takes no clicks.
    const PieceImages::Set set = PieceImages::load(4, true);
    QVERIFY(pictureAt(h, 4, 4).toImage() == set.PegPicture.toImage());
    h.click(3, 4);
    QVERIFY(!form.game().pegSelected());
}

void TestGamePlay::undoButton()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    form.newGame();
    h.click(5, 4);
    h.click(3, 4);
    QVERIFY(form.panel().undoButton->isEnabled());
    QTest::mouseClick(form.panel().undoButton, Qt::LeftButton);
    QVERIFY(!form.panel().undoButton->isEnabled());
    QCOMPARE(form.panel().pegsLeftValue->text(), QStringLiteral("36"));
    const PieceImages::Set set = PieceImages::load(4, true);
    QVERIFY(pictureAt(h, 5, 4).toImage() == set.PegPicture.toImage());
    QVERIFY(pictureAt(h, 3, 4).toImage() == set.HolePicture.toImage());
}

void TestGamePlay::musicStartsWithTheFirstGameOnly()
{
    MainWindowHarness h;
    h.music.commands.clear();
    h.form().newGame();
    QCOMPARE(h.music.commands, (QStringList{"prev", "play"}));
    QVERIFY(h.form().session().musicStarted());
    h.form().newGame();
    h.form().endGame();
    h.form().newGame();
    QCOMPARE(h.music.commands, (QStringList{"prev", "play"}));
}

void TestGamePlay::musicFollowsPauseAndTheMenu()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    // Off and on between games starts nothing.
    form.menu().MusicOff->trigger();
    form.menu().MusicOn->trigger();
    QCOMPARE(h.music.commands.mid(1), (QStringList{"stop"}));
    form.newGame();
    h.music.commands.clear();
    form.togglePause();
    form.togglePause();
    QCOMPARE(h.music.commands, (QStringList{"stop", "play"}));
    h.music.commands.clear();
    // On while already on does nothing; off and on while paused plays at once.
    form.menu().MusicOn->trigger();
    form.togglePause();
    form.menu().MusicOff->trigger();
    form.menu().MusicOn->trigger();
    form.togglePause();
    QCOMPARE(h.music.commands, (QStringList{"stop", "stop", "play", "play"}));
    // With music off, pause leaves the device alone.
    form.menu().MusicOff->trigger();
    h.music.commands.clear();
    form.togglePause();
    form.togglePause();
    QVERIFY(h.music.commands.isEmpty());
}

void TestGamePlay::musicOffAtTheFirstGame()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    form.menu().MusicOff->trigger();
    h.music.commands.clear();
    form.newGame();
    QVERIFY(h.music.commands.isEmpty());
    QVERIFY(!form.session().musicStarted());
    form.menu().MusicOn->trigger();
    QCOMPARE(h.music.commands, (QStringList{"play"}));
    form.newGame();
    QCOMPARE(h.music.commands, (QStringList{"play", "prev", "play"}));
    QVERIFY(form.session().musicStarted());
}

void TestGamePlay::tuneLoopsAtItsLoopPointAndAtItsEnd()
{
    MainWindowHarness h;
    h.form().newGame();
    h.music.commands.clear();
    h.music.reach(662);
    QVERIFY(h.music.commands.isEmpty());
    h.music.reach(663);
    QCOMPARE(h.music.commands, (QStringList{"prev", "play"}));
    h.music.commands.clear();
    // A tune shorter than the loop point restarts at its end.
    h.music.reach(400, true);
    QCOMPARE(h.music.commands, (QStringList{"prev", "play"}));
}

QTEST_MAIN(TestGamePlay)
#include "test_game_play.moc"
