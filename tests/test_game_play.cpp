// Playing in the main window: New Game, clicks and their sounds, undo, the end of a game, music.
#include "ui/board_view.h"
#include "windows/main_window.h"
#include "windows/main_menu.h"
#include "windows/status_panel.h"
#include "ui/picture_cell.h"
#include "ui/piece_images.h"
#include "game_scripts.h"
#include "support/main_window_harness.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>

class TestGamePlay : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newGameDuringAGameRestarts()
    {
        MainWindowHarness h;
        h.form().newGame();
        h.play({{5, 4, 3, 4}});
        h.click(3, 2);
        h.time.advanceSeconds(7);
        h.form().onClockTick();
        h.form().newGame();
        QCOMPARE(h.form().panel().pegsLeftValue->text(), QStringLiteral("36"));
        QVERIFY(!h.form().game().pegSelected() && !h.form().panel().undoButton->isEnabled());
        // The clock label keeps its text until the next tick, which counts from zero.
        QCOMPARE(h.form().panel().timeValue->text(), QStringLiteral("0:0:7"));
        h.time.advanceSeconds(1);
        h.form().onClockTick();
        QCOMPARE(h.form().panel().timeValue->text(), QStringLiteral("0:0:1"));
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

        // Sound off silences every kind of sound until it is on again.
        h.sound.played.clear();
        form.menu().soundOffItem->trigger();
        h.play({{5, 4, 3, 4}});
        form.undoMove();
        QVERIFY(h.sound.played.isEmpty());
        form.menu().soundOnItem->trigger();
        h.click(5, 4);
        QCOMPARE(h.soundNames(), QStringList{"Change.wav"});
    }

    // The tune starts with the first game only and follows pause, the Music menu and End Game.
    void musicFollowsTheGame()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        MainMenu& m = form.menu();
        const auto pause = [&] { form.togglePause(); };
        const std::vector<std::pair<std::vector<std::function<void()>>, QStringList>> steps{
            // Help stops the tune and resumes only a playing one; off and on between games starts nothing;
            // off at the first game starts the tune later.
            {{[&] { form.showHelp(); }}, {"stop"}},
            {{[&] { m.musicOffItem->trigger(); }, [&] { m.musicOnItem->trigger(); }}, {"stop"}},
            {{[&] { m.musicOffItem->trigger(); }, [&] { form.newGame(); }, [&] { m.musicOnItem->trigger(); }}, {"stop", "play"}},
            {{[&] { form.newGame(); }, [&] { form.newGame(); }, [&] { form.endGame(); }, [&] { form.newGame(); }},
             {"prev", "play"}},
            {{[&] { form.showHelp(); }, pause, [&] { form.showHelp(); }, pause}, {"stop", "play", "stop", "stop", "play"}},
            // On while already on does nothing; off and on while paused plays at once.
            {{[&] { m.musicOnItem->trigger(); }, pause, [&] { m.musicOffItem->trigger(); }, [&] { m.musicOnItem->trigger(); }, pause},
             {"stop", "stop", "play", "play"}},
            // End Game while paused goes on first.
            {{pause, [&] { m.endGameItem->trigger(); }}, {"stop", "play"}},
            // With music off, pause leaves the device alone.
            {{[&] { m.musicOffItem->trigger(); }, [&] { form.newGame(); }, pause, pause, [&] { form.showHelp(); }}, {"stop", "stop"}},
        };
        for (const auto& [actions, expected] : steps) {
            h.music.commands.clear();
            for (const auto& act : actions)
                act();
            QCOMPARE(h.music.commands, expected);
        }
    }

    // Where the tune loops is the loop's own test; here, that the game follows the device's notice.
    void tuneLoopsWhenTheDeviceReachesTheLoopPoint()
    {
        MainWindowHarness h;
        h.form().newGame();
        h.music.commands.clear();
        h.music.reach(663);
        QCOMPARE(h.music.commands, (QStringList{"prev", "play"}));
    }
};

QTEST_MAIN(TestGamePlay)
#include "test_game_play.moc"
