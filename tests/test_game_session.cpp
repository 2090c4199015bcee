#include "core/rules/game_session.h"

#include "game_scripts.h"
#include "support/manual_time_source.h"

#include <QTest>

using Phase = GameSession::Phase;

// The state table of a game (between games, playing, paused) and what each action may do in it.
class TestGameSession : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void actionsAllowedInEachPhase()
    {
        ManualTimeSource time;
        GameSession session(time);

        // Between games: no pause, no end, no moves, no undo; boards and styles change.
        QCOMPARE(session.phase(), Phase::BetweenGames);
        QVERIFY(!session.togglePause() && !session.endGame());
        QCOMPARE(session.clickCell(4, 6), ClickOutcome::Refused);
        QVERIFY(!session.undo());
        QVERIFY(!session.chooseBoard(0) && !session.chooseBoard(6));
        QVERIFY(session.chooseBoard(2) && session.chooseStyle(3));

        // Playing: boards and styles are locked; a jump makes undo available, once.
        QVERIFY(session.newGame());
        QVERIFY(!session.chooseBoard(1) && !session.chooseStyle(1));
        QCOMPARE(session.boardNumber(), 2);
        QVERIFY(!session.undo());
        QCOMPARE(session.clickCell(4, 6), ClickOutcome::Selected);
        QCOMPARE(session.clickCell(4, 4), ClickOutcome::Jumped);
        QVERIFY(session.undoAvailable());

        // Paused: nothing moves, nothing is undone, no new game; going on restores everything.
        QCOMPARE(session.clickCell(4, 3), ClickOutcome::Selected);
        QVERIFY(session.togglePause());
        QCOMPARE(session.clickCell(4, 3), ClickOutcome::Refused);
        QVERIFY(!session.undo() && !session.newGame() && session.undoAvailable());
        QVERIFY(session.togglePause());
        QVERIFY(session.game().pegSelected());
        QCOMPARE(session.clickCell(4, 3), ClickOutcome::Deselected);
        QVERIFY(session.undo());
        QVERIFY(!session.undoAvailable() && !session.undo());
        QCOMPARE(session.game().pegsLeft(), 32);

        // Ending a paused game goes on first, then leaves the game.
        session.clickCell(4, 6);
        session.clickCell(4, 4);
        QVERIFY(session.togglePause() && session.endGame());
        QVERIFY(!session.undoAvailable());
        QCOMPARE(session.phase(), Phase::BetweenGames);
    }

    void theLastJumpEndsTheGameAndStopsTheClock()
    {
        ManualTimeSource time;
        GameSession session(time);
        session.chooseBoard(5);
        session.newGame();
        time.advanceSeconds(65);
        session.tick();
        for (const Jump& j : GameScripts::squareSixSolved) {
            session.clickCell(j[0], j[1]);
            session.clickCell(j[2], j[3]);
        }
        QCOMPARE(session.phase(), Phase::BetweenGames);
        QVERIFY(!session.undoAvailable());
        time.advanceSeconds(30);
        session.tick();
        QCOMPARE(session.clock().elapsedSeconds(), 65);
    }
};

QTEST_GUILESS_MAIN(TestGameSession)
#include "test_game_session.moc"
