// Playing in the main window: New Game, clicks, the clock, pause, End Game, undo, the end of a game, music points.
#include "ui/board_view.h"
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

enum class WindowState { BetweenGames, Playing, Paused };

void verifyState(const MainWindow& form, WindowState state)
{
    const MainMenu& m = form.menu();
    const bool playing = state == WindowState::Playing;
    const bool paused = state == WindowState::Paused;
    QCOMPARE(form.boardView().isVisible(), !paused);
    QCOMPARE(form.boardView().isEnabled(), playing);
    QCOMPARE(form.clockTimer().isActive(), playing);
    QCOMPARE(m.NewGame->isEnabled(), !paused);
    QCOMPARE(m.EndGame->isEnabled(), playing || paused);
    QCOMPARE(m.Pause->isEnabled(), playing || paused);
    QCOMPARE(m.Pause->isChecked(), paused);
    QCOMPARE(m.SkillLevel->menuAction()->isEnabled(), state == WindowState::BetweenGames);
    QCOMPARE(m.Style->menuAction()->isEnabled(), state == WindowState::BetweenGames);
    QCOMPARE(form.pausedBox().isVisible(), paused);
}

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
    void solvedGameEndsWithAwesome();
    void stuckGameEndsWithGameOver();
    void movesPlayTheirSounds();
    void refusedClicksAreSilent();
    void soundOffSilencesEverything();
    void clockTicksInWholeSecondsAndSkipsPauses();
    void pauseHidesTheBoardAndKeepsTheSelection();
    void endGameWhilePausedResumesFirst();
    void undoButton();
    void undoWhilePausedIsRefused();
    void undoOfTheSelectedLandedPegClearsTheSelection();
    void musicStartsWithTheFirstGameOnly();
    void musicFollowsPauseAndTheMenu();
    void musicOffAtTheFirstGame();
    void tuneLoopsAtItsLoopPointAndAtItsEnd();
};

void TestGamePlay::newGameSetsUpEveryBoard()
{
    MainWindowHarness h;
    const std::array<int, 5> pegs{36, 32, 44, 48, 35};
    const std::array<std::pair<int, int>, 5> start{{{3, 4}, {4, 4}, {3, 4}, {3, 4}, {4, 4}}};
    for (int board = 1; board <= 5; ++board) {
        chooseBoard(h, board);
        h.form().newGame();
        verifyState(h.form(), WindowState::Playing);
        QCOMPARE(h.form().panel().pegsLeftValue->text(), QString::number(pegs[board - 1]));
        const auto [row, col] = start[static_cast<std::size_t>(board - 1)];
        const PieceImages::Set set = PieceImages::load(4, true);
        QVERIFY(pictureAt(h, row, col).toImage() == set.HolePicture.toImage());
        QVERIFY(!h.form().game().board()(row, col).Pegged);
        QVERIFY(!h.form().panel().undoButton->isEnabled());
        h.form().endGame();
        verifyState(h.form(), WindowState::BetweenGames);
        QCOMPARE(h.form().panel().pegsLeftValue->text(), QString::number(pegs[board - 1]));
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

void TestGamePlay::solvedGameEndsWithAwesome()
{
    MainWindowHarness h;
    chooseBoard(h, 2);
    h.form().newGame();
    GameOverSeen seen;
    answerGameOver(h, seen, false);
    play(h, GameScripts::europeanOneSolved);
    // The first result on an empty table ranks, so the name window follows.
    QCOMPARE(h.dialogs.shown, (QStringList{"Game Over", "New High Score"}));
    QCOMPARE(seen.heading, QStringLiteral("AWESOME!"));
    QCOMPARE(seen.message, QStringLiteral("Congradulations! You solved this board"));
    QCOMPARE(h.form().panel().pegsLeftValue->text(), QStringLiteral("1"));
    verifyState(h.form(), WindowState::BetweenGames);
    QVERIFY(!h.form().panel().undoButton->isEnabled());
    // The final position stays on the board.
    const PieceImages::Set set = PieceImages::load(4, true);
    QVERIFY(pictureAt(h, 7, 4).toImage() == set.PegPicture.toImage());
    QVERIFY(pictureAt(h, 4, 4).toImage() == set.HolePicture.toImage());
    // The last sound is the last jump's pop, made before the window opened.
    QCOMPARE(h.soundNames().last(), QStringLiteral("Pop2.wav"));
    h.click(7, 4);
    QVERIFY(!h.form().game().pegSelected());
}

void TestGamePlay::stuckGameEndsWithGameOver()
{
    MainWindowHarness h;
    chooseBoard(h, 2);
    h.form().newGame();
    GameOverSeen seen;
    answerGameOver(h, seen, true);
    play(h, GameScripts::europeanOneStuck);
    QCOMPARE(h.dialogs.shown, (QStringList{"Game Over", "New High Score"}));
    QCOMPARE(seen.heading, QStringLiteral("GAME OVER"));
    QCOMPARE(seen.message, QStringLiteral("Sorry! There are no more legal moves"));
    QCOMPARE(h.form().panel().pegsLeftValue->text(), QStringLiteral("8"));
    verifyState(h.form(), WindowState::BetweenGames);
}

void TestGamePlay::movesPlayTheirSounds()
{
    MainWindowHarness h;
    h.form().newGame();
    h.click(5, 4);
    h.click(5, 4);
    h.click(5, 4);
    h.click(3, 4);
    h.form().undoMove();
    QCOMPARE(h.soundNames(), (QStringList{"Change.wav", "Change.wav", "Change.wav", "Pop2.wav", "redo.wav"}));
    for (const QString& path : h.sound.played)
        QVERIFY(path.startsWith(h.dir() + QLatin1Char('/')));
}

void TestGamePlay::refusedClicksAreSilent()
{
    // Classic: (3,4) is the empty start hole.
    MainWindowHarness h;
    h.form().newGame();
    h.click(3, 4); // a hole with nothing selected: refused
    h.click(5, 4); // select
    h.click(5, 3); // another peg: refused
    h.click(2, 4); // another peg: refused
    h.click(3, 4); // the jump
    QCOMPARE(h.soundNames(), (QStringList{"Change.wav", "Pop2.wav"}));
    h.sound.played.clear();
    // Now (4,4) and (5,4) are holes.
    h.click(6, 4); // select
    h.click(4, 4); // two away with the middle (5,4) empty: refused
    h.click(5, 4); // one away: refused
    h.click(4, 2); // a peg diagonal from it: refused
    QCOMPARE(h.soundNames(), QStringList{"Change.wav"});
    QVERIFY(h.form().game().pegSelected());
    QCOMPARE(h.form().game().selRow(), 6);
    QCOMPARE(h.form().game().selCol(), 4);
    QCOMPARE(h.form().panel().pegsLeftValue->text(), QStringLiteral("35"));
    QCOMPARE(h.form().game().lastFromRow(), 5);
    QCOMPARE(h.form().game().lastToRow(), 3);
}

void TestGamePlay::soundOffSilencesEverything()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    form.menu().SoundOff->trigger();
    QVERIFY(form.menu().SoundOff->isChecked());
    QVERIFY(!form.menu().SoundOn->isChecked());
    form.newGame();
    h.click(5, 4);
    h.click(3, 4);
    form.undoMove();
    QVERIFY(h.sound.played.isEmpty());
    form.menu().SoundOff->trigger();
    QVERIFY(form.menu().SoundOff->isChecked());
    form.menu().SoundOn->trigger();
    form.menu().SoundOn->trigger();
    QVERIFY(form.menu().SoundOn->isChecked());
    QVERIFY(!form.menu().SoundOff->isChecked());
    h.click(5, 4);
    QCOMPARE(h.soundNames(), QStringList{"Change.wav"});
}

void TestGamePlay::clockTicksInWholeSecondsAndSkipsPauses()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    form.newGame();
    QCOMPARE(form.clockTimer().interval(), 1000);
    h.time.advanceSeconds(9);
    form.onClockTick();
    QCOMPARE(form.panel().timeValue->text(), QStringLiteral("0:0:9"));
    form.togglePause();
    h.time.advanceSeconds(600);
    form.togglePause();
    h.time.advanceSeconds(3723 - 9);
    form.onClockTick();
    QCOMPARE(form.panel().timeValue->text(), QStringLiteral("1:2:3"));
    QCOMPARE(form.clock().elapsedTime(), 3723.0 / 86400.0);
}

void TestGamePlay::pauseHidesTheBoardAndKeepsTheSelection()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    form.newGame();
    h.click(5, 4);
    form.menu().Pause->trigger();
    verifyState(form, WindowState::Paused);
    form.menu().NewGame->trigger(); // greyed: a disabled action does not fire
    QVERIFY(form.menu().Pause->isChecked());
    form.menu().Pause->trigger();
    verifyState(form, WindowState::Playing);
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
    verifyState(form, WindowState::BetweenGames);
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
    QVERIFY(form.game().board()(5, 4).Pegged);
    QVERIFY(!form.game().board()(3, 4).Pegged);
    // Jump, jump, undo: only the second is taken back.
    h.click(5, 4);
    h.click(3, 4);
    h.click(4, 2);
    h.click(4, 4);
    QTest::mouseClick(form.panel().undoButton, Qt::LeftButton);
    QCOMPARE(form.panel().pegsLeftValue->text(), QStringLiteral("35"));
    QVERIFY(form.game().board()(3, 4).Pegged);
    QVERIFY(form.game().board()(4, 2).Pegged);
    QVERIFY(!form.game().board()(4, 4).Pegged);
}

void TestGamePlay::undoWhilePausedIsRefused()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    form.newGame();
    h.click(5, 4);
    h.click(3, 4);
    form.togglePause();
    h.sound.played.clear();
    form.undoMove();
    QVERIFY(form.panel().undoButton->isEnabled());
    QCOMPARE(form.panel().pegsLeftValue->text(), QStringLiteral("35"));
    QVERIFY(h.sound.played.isEmpty());
    form.togglePause();
    form.undoMove();
    QCOMPARE(form.panel().pegsLeftValue->text(), QStringLiteral("36"));
}

void TestGamePlay::undoOfTheSelectedLandedPegClearsTheSelection()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    form.newGame();
    h.click(5, 4);
    h.click(3, 4);
    h.click(3, 4);
    form.undoMove();
    QVERIFY(!form.game().pegSelected());
    const PieceImages::Set set = PieceImages::load(4, true);
    QVERIFY(pictureAt(h, 3, 4).toImage() == set.HolePicture.toImage());
    h.click(5, 4);
    h.click(3, 4);
    QCOMPARE(form.panel().pegsLeftValue->text(), QStringLiteral("35"));
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
    QVERIFY(form.menu().MusicOn->isChecked());
    QVERIFY(!form.menu().MusicOff->isChecked());
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
