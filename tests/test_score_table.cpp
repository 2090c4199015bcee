#include "core/scores/score_merge.h"
#include "core/scores/high_score_table.h"
#include "core/scores/score_file.h"
#include "core/scores/time_text.h"
#include "core/scores/top_player.h"

#include <QTest>

#include <cmath>

namespace {

constexpr double Second = 1.0 / 86400.0;

HighScoreTable tableOf(std::initializer_list<std::pair<int, double>> pegsAndSeconds)
{
    HighScoreTable table;
    int n = 0;
    for (const auto& [pegs, seconds] : pegsAndSeconds)
        table.append({QStringLiteral("p%1").arg(++n), static_cast<qint16>(pegs), seconds * Second});
    return table;
}

QString summary(const HighScoreTable& table)
{
    QStringList slots;
    for (int i = 1; i <= HighScoreTable::Slots; ++i)
        slots.append(QStringLiteral("%1:%2").arg(table.nameAt(i)).arg(table.pegsAt(i)));
    return QString::number(table.count()) + QLatin1Char(' ') + slots.join(QLatin1Char(' '));
}

} // namespace

Q_DECLARE_METATYPE(HighScoreTable)

class TestScoreTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void timeText_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("text");
        QTest::newRow("100 s as the file holds it") << 1.15740740740741E-03 << "00:01:40";
        QTest::newRow("nearest second") << 59.6 * Second << "00:01:00";
        QTest::newRow("rounding would reach 24:00:00") << 86399.6 * Second << "23:59:59";
        QTest::newRow("a day and ten seconds") << 1.0 + 10 * Second << "23:59:59";
        QTest::newRow("negative") << -10 * Second << "00:00:00";
        QTest::newRow("NaN") << std::nan("") << "00:00:00";
    }
    void timeText()
    {
        QFETCH(double, days);
        QFETCH(QString, text);
        QCOMPARE(TimeText::of(days), text);
    }

    void ranking_data()
    {
        QTest::addColumn<HighScoreTable>("table");
        QTest::addColumn<int>("pegs");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<int>("position"); // 0: does not qualify

        const HighScoreTable twoTwos = tableOf({{1, 10}, {2, 20}, {2, 40}, {3, 10}, {4, 10}});
        const HighScoreTable lastTies = tableOf({{1, 10}, {1, 20}, {2, 30}, {2, 40}, {3, 60}});
        QTest::newRow("empty table") << HighScoreTable() << 30 << 500.0 << 1;
        QTest::newRow("ties the fifth") << lastTies << 3 << 60.0 << 0;
        QTest::newRow("a second faster than the fifth") << lastTies << 3 << 59.0 << 5;
        QTest::newRow("fraction gives the same time text") << tableOf({{3, 60.3}}) << 3 << 59.8 << 2;
        QTest::newRow("30 s between the 2-peg entries") << twoTwos << 2 << 30.0 << 3;
        QTest::newRow("40 s ties, goes behind") << twoTwos << 2 << 40.0 << 4;
        QTest::newRow("count 4, worse than all") << tableOf({{1, 1}, {2, 1}, {3, 1}, {4, 1}}) << 9 << 1.0 << 5;
        // A game over a day long must not pass for a fast one (its time of day alone is 10 s).
        QTest::newRow("over a day") << tableOf({{3, 3600}}) << 3 << 86410.0 << 2;
        QTest::newRow("99 pegs is no result") << HighScoreTable() << 99 << 1.0 << 0;
    }
    void ranking()
    {
        QFETCH(HighScoreTable, table);
        QFETCH(int, pegs);
        QFETCH(double, seconds);
        QFETCH(int, position);
        QCOMPARE(table.checkForHighScore(pegs, seconds * Second).value_or(0), position);
    }

    void insertion()
    {
        HighScoreTable table = tableOf({{1, 10}, {2, 20}, {2, 40}, {3, 10}, {4, 10}});
        table.insertHighScore(3, {QStringLiteral("new"), 2, 30 * Second});
        QCOMPARE(summary(table), QStringLiteral("5 p1:1 p2:2 new:2 p3:2 p4:3"));
        QCOMPARE(table.timeAt(4), 40 * Second);
        // Into a table with free slots: the rest moves down, the count grows.
        table = tableOf({{7, 100}});
        table.insertHighScore(1, {QStringLiteral("a"), 5, 0.0});
        QCOMPARE(summary(table), QStringLiteral("2 a:5 p1:7 :99 :99 :99"));
        QCOMPARE(table.timeAt(2), 100 * Second);
    }

    void topPlayer()
    {
        QCOMPARE(TopPlayer::of(HighScoreTable()), TopPlayer());
        HighScoreTable table;
        table.append({QStringLiteral("anna b."), 3, 100 * Second});
        table.append({QStringLiteral("zed"), 4, 50 * Second});
        QCOMPARE(TopPlayer::of(table), (TopPlayer{"ANNA B.", "3 Pegs Left", "00:01:40"}));
    }

    void mergingWithAnotherGamesTable()
    {
        HighScoreTable ours;
        ours.append({QStringLiteral("Anna"), 1, 100 * Second});
        ours.append({QStringLiteral("Cy"), 3, 50 * Second});
        // What another game saved: Anna's result as the file gives it back, digits rounded; then its own.
        HighScoreTable theirs = ScoreFile::read(ScoreFile::write(ours));
        QVERIFY(theirs.timeAt(1) != ours.timeAt(1));
        theirs.insertHighScore(2, {QStringLiteral("Bo"), 2, 10 * Second});
        theirs.insertHighScore(1, {QStringLiteral("Di"), 1, 100 * Second});
        const HighScoreTable merged = ScoreMerge::merge(ours, theirs);
        // No result twice; Di ties with Anna and comes after ours.
        QCOMPARE(summary(merged), QStringLiteral("4 Anna:1 Di:1 Bo:2 Cy:3 :99"));
        QCOMPARE(merged.timeAt(1), ours.timeAt(1));
        QCOMPARE(ScoreMerge::merge(merged, theirs), merged);

        // The same result scored twice in one table is two results; beyond five the worst drop out.
        HighScoreTable once;
        once.append({QStringLiteral("Eve"), 1, 10 * Second});
        HighScoreTable twice = once;
        twice.append(once.entry(1));
        QCOMPARE(ScoreMerge::merge(once, twice), twice);
        const HighScoreTable full = tableOf({{0, 5}, {2, 5}, {4, 5}, {6, 5}, {8, 5}});
        QCOMPARE(summary(ScoreMerge::merge(full, tableOf({{9, 1}, {3, 1}, {7, 1}}))),
            QStringLiteral("5 p1:0 p2:2 p2:3 p3:4 p4:6"));
    }
};

QTEST_APPLESS_MAIN(TestScoreTable)
#include "test_score_table.moc"
