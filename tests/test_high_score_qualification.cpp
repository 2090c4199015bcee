// A finished game and the high scores, through the main window: the name window, the table, its
// file, TOP PLAYER and the High Scores menu.
#include "core/scores/score_store.h"
#include "core/scores/time_text.h"
#include "game_scripts.h"
#include "support/main_window_harness.h"
#include "windows/high_score_window.h"
#include "windows/main_menu.h"
#include "windows/main_window.h"
#include "windows/name_entry_window.h"
#include "windows/status_panel.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

constexpr double Second = 1.0 / 86400.0;
constexpr int EuropeanOne = 2;

QStringList entries(const HighScoreTable& table)
{
    QStringList all;
    for (int i = 1; i <= HighScoreTable::Slots; ++i)
        all.append(QStringLiteral("%1|%2|%3").arg(table.nameAt(i)).arg(table.pegsAt(i)).arg(TimeText::of(table.timeAt(i))));
    return all;
}

void playToTheEnd(MainWindowHarness& h, const std::vector<Jump>& jumps, int seconds)
{
    h.form().newGame();
    h.time.advanceSeconds(seconds);
    h.form().onClockTick();
    h.play(jumps);
}

// Opens a board's table from the menu and returns its heading and first row's name.
QStringList showTable(MainWindowHarness& h, int board)
{
    QStringList seen;
    h.dialogs.actions.append([&seen](QDialog& dialog) {
        auto& window = dynamic_cast<HighScoreWindow&>(dialog);
        seen = {window.title().text(), window.nameLabel(1).text()};
        window.okButton().click();
    });
    h.form().menu().highScoreItems[static_cast<std::size_t>(board - 1)]->trigger();
    return seen;
}

} // namespace

class TestHighScoreQualification : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aFinishEntersTheTableOnlyWhenItRanks()
    {
        MainWindowHarness h;
        HighScoreTable& european = h.scores.table(EuropeanOne);
        european.append({QStringLiteral("ann"), 1, 200 * Second});
        for (qint16 pegs = 2; pegs <= 5; ++pegs)
            european.append({QStringLiteral("p%1").arg(pegs), pegs, 10 * Second});
        h.scores.table(1).append({QStringLiteral("zed"), 2, 50 * Second});
        h.chooseBoard(EuropeanOne);
        QCOMPARE(h.form().panel().topName->text(), QStringLiteral("ANN"));

        // Solved in 125 s: one peg like the best, but faster, so first; the fifth entry drops out.
        h.dialogs.actions.append([](QDialog& gameOver) { gameOver.accept(); });
        h.dialogs.actions.append([](QDialog& dialog) {
            auto& nameWindow = dynamic_cast<NameEntryWindow&>(dialog);
            QTest::keyClicks(&nameWindow.nameBox(), QStringLiteral("Mary Ann"));
            nameWindow.okButton().click();
        });
        playToTheEnd(h, GameScripts::europeanOneSolved, 125);
        QCOMPARE(h.dialogs.shown, (QStringList{"Game Over", "New High Score"}));
        const QStringList afterSolve{"Mary Ann|1|00:02:05", "ann|1|00:03:20", "p2|2|00:00:10", "p3|3|00:00:10",
                                     "p4|4|00:00:10"};
        QCOMPARE(entries(european), afterSolve);
        ScoreStore reread(h.dir(), h.dir() + QStringLiteral("/user"));
        reread.loadScoreTable(EuropeanOne);
        QCOMPARE(entries(reread.table(EuropeanOne)), afterSolve);
        const StatusPanel& panel = h.form().panel();
        QCOMPARE((QStringList{panel.topName->text(), panel.topScore->text(), panel.topTime->text()}),
                 (QStringList{"MARY ANN", "1 Pegs Left", "00:02:05"}));

        // Eight pegs left ranks nowhere: no name asked, no file written.
        const QString file = h.dir() + QLatin1Char('/') + ScoreStore::fileName(EuropeanOne);
        QVERIFY(QFile::remove(file));
        h.dialogs.shown.clear();
        playToTheEnd(h, GameScripts::europeanOneStuck, 30);
        QCOMPARE(h.dialogs.shown, QStringList{"Game Over"});
        QCOMPARE(entries(european), afterSolve);
        QVERIFY(!QFile::exists(file));
    }

    void theMenuShowsAnyBoardsTableWhileAnotherIsInPlay()
    {
        MainWindowHarness h;
        h.scores.table(1).append({QStringLiteral("zed"), 2, 50 * Second});
        h.scores.table(EuropeanOne).append({QStringLiteral("ann"), 1, 200 * Second});
        h.chooseBoard(EuropeanOne);
        h.form().newGame();
        QCOMPARE(showTable(h, 1), (QStringList{"Top Players - Classic", "zed"}));
        QCOMPARE(showTable(h, EuropeanOne), (QStringList{"Top Players - European 1", "ann"}));
        QCOMPARE(showTable(h, 4), (QStringList{"Top Players - Square 7x7", ""}));
        // Only the table last shown carries the mark.
        const auto& items = h.form().menu().highScoreItems;
        QCOMPARE(std::count_if(items.begin(), items.end(), [](const QAction* item) { return item->isChecked(); }), 1);
        QVERIFY(items[3]->isChecked());
    }
};

QTEST_MAIN(TestHighScoreQualification)
#include "test_high_score_qualification.moc"
