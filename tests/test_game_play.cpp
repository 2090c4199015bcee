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

void verifyState(const Form1& form, WindowState state)
{
    const MainMenu& m = form.menu();
    const bool playing = state == WindowState::Playing;
    const bool paused = state == WindowState::Paused;
    QCOMPARE(form.Picture3().isVisible(), !paused);
    QCOMPARE(form.Picture3().isEnabled(), playing);
    QCOMPARE(form.Timer1().isActive(), playing);
    QCOMPARE(m.NewGame->isEnabled(), !paused);
    QCOMPARE(m.EndGame->isEnabled(), playing || paused);
    QCOMPARE(m.Pause->isEnabled(), playing || paused);
    QCOMPARE(m.Pause->isChecked(), paused);
    QCOMPARE(m.SkillLevel->menuAction()->isEnabled(), state == WindowState::BetweenGames);
    QCOMPARE(m.Style->menuAction()->isEnabled(), state == WindowState::BetweenGames);
    QCOMPARE(form.Text1().isVisible(), paused);
}

void chooseBoard(Form1Harness& h, int board)
{
    h.form().menu().Level[static_cast<std::size_t>(board - 1)]->trigger();
}

void play(Form1Harness& h, const std::vector<Jump>& jumps)
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

void answerGameOver(Form1Harness& h, GameOverSeen& seen, bool byCloseBox)
{
    h.dialogs.actions.append([&seen, byCloseBox](QDialog& dialog) {
        auto& frm = dynamic_cast<GameOverFrm&>(dialog);
        seen = {frm.Label2->text(), frm.Label1->text()};
        if (byCloseBox)
            frm.reject();
        else
            frm.Command1->click();
    });
}

const QPixmap& pictureAt(const Form1Harness& h, int row, int col)
{
    return h.form().Picture3().cell(row, col)->picture();
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
    Form1Harness h;
    const std::array<int, 5> pegs{36, 32, 44, 48, 35};
    const std::array<std::pair<int, int>, 5> start{{{3, 4}, {4, 4}, {3, 4}, {3, 4}, {4, 4}}};
    for (int board = 1; board <= 5; ++board) {
        chooseBoard(h, board);
        h.form().NewGame_Click();
        verifyState(h.form(), WindowState::Playing);
        QCOMPARE(h.form().panel().PegLeftTxt->text(), QString::number(pegs[board - 1]));
        const auto [row, col] = start[static_cast<std::size_t>(board - 1)];
        const PieceImages::Set set = PieceImages::load(4, true);
        QVERIFY(pictureAt(h, row, col).toImage() == set.HolePicture.toImage());
        QVERIFY(!h.form().game().board()(row, col).Pegged);
        QVERIFY(!h.form().panel().Command2->isEnabled());
        h.form().EndGame_Click();
        verifyState(h.form(), WindowState::BetweenGames);
        QCOMPARE(h.form().panel().PegLeftTxt->text(), QString::number(pegs[board - 1]));
    }
}

void TestGamePlay::newGameDuringAGameRestarts()
{
    Form1Harness h;
    h.form().NewGame_Click();
    h.click(5, 4);
    h.click(3, 4);
    h.click(3, 2);
    h.time.advanceSeconds(7);
    h.form().Timer1_Timer();
    h.form().NewGame_Click();
    QCOMPARE(h.form().panel().PegLeftTxt->text(), QStringLiteral("36"));
    QVERIFY(!h.form().game().PegSelected());
    QVERIFY(h.form().game().board()(5, 4).Pegged);
    QVERIFY(!h.form().panel().Command2->isEnabled());
    // The clock label keeps its text until the next tick, which counts from zero.
    QCOMPARE(h.form().panel().TimeTxt->text(), QStringLiteral("0:0:7"));
    h.time.advanceSeconds(1);
    h.form().Timer1_Timer();
    QCOMPARE(h.form().panel().TimeTxt->text(), QStringLiteral("0:0:1"));
}

void TestGamePlay::solvedGameEndsWithAwesome()
{
    Form1Harness h;
    chooseBoard(h, 2);
    h.form().NewGame_Click();
    GameOverSeen seen;
    answerGameOver(h, seen, false);
    play(h, GameScripts::europeanOneSolved);
    // The first result on an empty table ranks, so the name window follows.
    QCOMPARE(h.dialogs.shown, (QStringList{"Game Over", "New High Score"}));
    QCOMPARE(seen.heading, QStringLiteral("AWESOME!"));
    QCOMPARE(seen.message, QStringLiteral("Congradulations! You solved this board"));
    QCOMPARE(h.form().panel().PegLeftTxt->text(), QStringLiteral("1"));
    verifyState(h.form(), WindowState::BetweenGames);
    QVERIFY(!h.form().panel().Command2->isEnabled());
    // The final position stays on the board.
    const PieceImages::Set set = PieceImages::load(4, true);
    QVERIFY(pictureAt(h, 7, 4).toImage() == set.PegPicture.toImage());
    QVERIFY(pictureAt(h, 4, 4).toImage() == set.HolePicture.toImage());
    // The last sound is the last jump's pop, made before the window opened.
    QCOMPARE(h.soundNames().last(), QStringLiteral("Pop2.wav"));
    h.click(7, 4);
    QVERIFY(!h.form().game().PegSelected());
}

void TestGamePlay::stuckGameEndsWithGameOver()
{
    Form1Harness h;
    chooseBoard(h, 2);
    h.form().NewGame_Click();
    GameOverSeen seen;
    answerGameOver(h, seen, true);
    play(h, GameScripts::europeanOneStuck);
    QCOMPARE(h.dialogs.shown, (QStringList{"Game Over", "New High Score"}));
    QCOMPARE(seen.heading, QStringLiteral("GAME OVER"));
    QCOMPARE(seen.message, QStringLiteral("Sorry! There are no more legal moves"));
    QCOMPARE(h.form().panel().PegLeftTxt->text(), QStringLiteral("8"));
    verifyState(h.form(), WindowState::BetweenGames);
}

void TestGamePlay::movesPlayTheirSounds()
{
    Form1Harness h;
    h.form().NewGame_Click();
    h.click(5, 4);
    h.click(5, 4);
    h.click(5, 4);
    h.click(3, 4);
    h.form().Command2_Click();
    QCOMPARE(h.soundNames(), (QStringList{"Change.wav", "Change.wav", "Change.wav", "Pop2.wav", "redo.wav"}));
    for (const QString& path : h.sound.played)
        QVERIFY(path.startsWith(h.dir() + QLatin1Char('/')));
}

void TestGamePlay::refusedClicksAreSilent()
{
    // Classic: (3,4) is the empty start hole.
    Form1Harness h;
    h.form().NewGame_Click();
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
    QVERIFY(h.form().game().PegSelected());
    QCOMPARE(h.form().game().SelRow(), 6);
    QCOMPARE(h.form().game().SelCol(), 4);
    QCOMPARE(h.form().panel().PegLeftTxt->text(), QStringLiteral("35"));
    QCOMPARE(h.form().game().LastFromRow(), 5);
    QCOMPARE(h.form().game().LastToRow(), 3);
}

void TestGamePlay::soundOffSilencesEverything()
{
    Form1Harness h;
    Form1& form = h.form();
    form.menu().SoundOff->trigger();
    QVERIFY(form.menu().SoundOff->isChecked());
    QVERIFY(!form.menu().SoundOn->isChecked());
    form.NewGame_Click();
    h.click(5, 4);
    h.click(3, 4);
    form.Command2_Click();
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
    Form1Harness h;
    Form1& form = h.form();
    form.NewGame_Click();
    QCOMPARE(form.Timer1().interval(), 1000);
    h.time.advanceSeconds(9);
    form.Timer1_Timer();
    QCOMPARE(form.panel().TimeTxt->text(), QStringLiteral("0:0:9"));
    form.Pause_Click();
    h.time.advanceSeconds(600);
    form.Pause_Click();
    h.time.advanceSeconds(3723 - 9);
    form.Timer1_Timer();
    QCOMPARE(form.panel().TimeTxt->text(), QStringLiteral("1:2:3"));
    QCOMPARE(form.clock().ElapsedTime(), 3723.0 / 86400.0);
}

void TestGamePlay::pauseHidesTheBoardAndKeepsTheSelection()
{
    Form1Harness h;
    Form1& form = h.form();
    form.NewGame_Click();
    h.click(5, 4);
    form.menu().Pause->trigger();
    verifyState(form, WindowState::Paused);
    form.menu().NewGame->trigger(); // greyed: a disabled action does not fire
    QVERIFY(form.menu().Pause->isChecked());
    form.menu().Pause->trigger();
    verifyState(form, WindowState::Playing);
    QVERIFY(form.game().PegSelected());
    QCOMPARE(form.game().SelRow(), 5);
    h.click(3, 4);
    QCOMPARE(form.panel().PegLeftTxt->text(), QStringLiteral("35"));
}

void TestGamePlay::endGameWhilePausedResumesFirst()
{
    Form1Harness h;
    Form1& form = h.form();
    form.NewGame_Click();
    h.click(5, 4);
    h.click(3, 4);
    form.Pause_Click();
    h.music.commands.clear();
    form.menu().EndGame->trigger();
    verifyState(form, WindowState::BetweenGames);
    QCOMPARE(h.music.commands, QStringList{"play"});
    QVERIFY(!form.panel().Command2->isEnabled());
    // Every hole shows a peg again and the board takes no clicks.
    const PieceImages::Set set = PieceImages::load(4, true);
    QVERIFY(pictureAt(h, 4, 4).toImage() == set.PegPicture.toImage());
    h.click(3, 4);
    QVERIFY(!form.game().PegSelected());
}

void TestGamePlay::undoButton()
{
    Form1Harness h;
    Form1& form = h.form();
    form.NewGame_Click();
    h.click(5, 4);
    h.click(3, 4);
    QVERIFY(form.panel().Command2->isEnabled());
    QTest::mouseClick(form.panel().Command2, Qt::LeftButton);
    QVERIFY(!form.panel().Command2->isEnabled());
    QCOMPARE(form.panel().PegLeftTxt->text(), QStringLiteral("36"));
    QVERIFY(form.game().board()(5, 4).Pegged);
    QVERIFY(!form.game().board()(3, 4).Pegged);
    // Jump, jump, undo: only the second is taken back.
    h.click(5, 4);
    h.click(3, 4);
    h.click(4, 2);
    h.click(4, 4);
    QTest::mouseClick(form.panel().Command2, Qt::LeftButton);
    QCOMPARE(form.panel().PegLeftTxt->text(), QStringLiteral("35"));
    QVERIFY(form.game().board()(3, 4).Pegged);
    QVERIFY(form.game().board()(4, 2).Pegged);
    QVERIFY(!form.game().board()(4, 4).Pegged);
}

void TestGamePlay::undoWhilePausedIsRefused()
{
    Form1Harness h;
    Form1& form = h.form();
    form.NewGame_Click();
    h.click(5, 4);
    h.click(3, 4);
    form.Pause_Click();
    h.sound.played.clear();
    form.Command2_Click();
    QVERIFY(form.panel().Command2->isEnabled());
    QCOMPARE(form.panel().PegLeftTxt->text(), QStringLiteral("35"));
    QVERIFY(h.sound.played.isEmpty());
    form.Pause_Click();
    form.Command2_Click();
    QCOMPARE(form.panel().PegLeftTxt->text(), QStringLiteral("36"));
}

void TestGamePlay::undoOfTheSelectedLandedPegClearsTheSelection()
{
    Form1Harness h;
    Form1& form = h.form();
    form.NewGame_Click();
    h.click(5, 4);
    h.click(3, 4);
    h.click(3, 4);
    form.Command2_Click();
    QVERIFY(!form.game().PegSelected());
    const PieceImages::Set set = PieceImages::load(4, true);
    QVERIFY(pictureAt(h, 3, 4).toImage() == set.HolePicture.toImage());
    h.click(5, 4);
    h.click(3, 4);
    QCOMPARE(form.panel().PegLeftTxt->text(), QStringLiteral("35"));
}

void TestGamePlay::musicStartsWithTheFirstGameOnly()
{
    Form1Harness h;
    h.music.commands.clear();
    h.form().NewGame_Click();
    QCOMPARE(h.music.commands, (QStringList{"prev", "play"}));
    QVERIFY(h.form().music().MusicStarted());
    h.form().NewGame_Click();
    h.form().EndGame_Click();
    h.form().NewGame_Click();
    QCOMPARE(h.music.commands, (QStringList{"prev", "play"}));
}

void TestGamePlay::musicFollowsPauseAndTheMenu()
{
    Form1Harness h;
    Form1& form = h.form();
    // Off and on between games starts nothing.
    form.menu().MusicOff->trigger();
    form.menu().MusicOn->trigger();
    QCOMPARE(h.music.commands.mid(1), (QStringList{"stop"}));
    form.NewGame_Click();
    h.music.commands.clear();
    form.Pause_Click();
    form.Pause_Click();
    QCOMPARE(h.music.commands, (QStringList{"stop", "play"}));
    h.music.commands.clear();
    // On while already on does nothing; off and on while paused plays at once.
    form.menu().MusicOn->trigger();
    form.Pause_Click();
    form.menu().MusicOff->trigger();
    form.menu().MusicOn->trigger();
    form.Pause_Click();
    QCOMPARE(h.music.commands, (QStringList{"stop", "stop", "play", "play"}));
    QVERIFY(form.menu().MusicOn->isChecked());
    QVERIFY(!form.menu().MusicOff->isChecked());
    // With music off, pause leaves the device alone.
    form.menu().MusicOff->trigger();
    h.music.commands.clear();
    form.Pause_Click();
    form.Pause_Click();
    QVERIFY(h.music.commands.isEmpty());
}

void TestGamePlay::musicOffAtTheFirstGame()
{
    Form1Harness h;
    Form1& form = h.form();
    form.menu().MusicOff->trigger();
    h.music.commands.clear();
    form.NewGame_Click();
    QVERIFY(h.music.commands.isEmpty());
    QVERIFY(!form.music().MusicStarted());
    form.menu().MusicOn->trigger();
    QCOMPARE(h.music.commands, (QStringList{"play"}));
    form.NewGame_Click();
    QCOMPARE(h.music.commands, (QStringList{"play", "prev", "play"}));
    QVERIFY(form.music().MusicStarted());
}

void TestGamePlay::tuneLoopsAtItsLoopPointAndAtItsEnd()
{
    Form1Harness h;
    h.form().NewGame_Click();
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
