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

class TestScoreTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void timeText()
    {
        const std::vector<std::pair<double, QString>> cases{
            {1.15740740740741E-03, "00:01:40"}, // 100 s as the file holds it
            {59.6 * Second, "00:01:00"}, // nearest second
            {86399.6 * Second, "23:59:59"}, // rounding would reach 24:00:00
            {1.0 + 10 * Second, "23:59:59"}, {-10 * Second, "00:00:00"}, {std::nan(""), "00:00:00"}};
        for (const auto& [days, text] : cases)
            QCOMPARE(TimeText::of(days), text);
    }

    void ranking()
    {
        const HighScoreTable twoTwos = tableOf({{1, 10}, {2, 20}, {2, 40}, {3, 10}, {4, 10}});
        const HighScoreTable lastTies = tableOf({{1, 10}, {1, 20}, {2, 30}, {2, 40}, {3, 60}});
        // The table, pegs and seconds of a finish, and where it enters (0: nowhere).
        const std::vector<std::tuple<HighScoreTable, int, double, int>> cases{
            {HighScoreTable(), 30, 500.0, 1},
            {lastTies, 3, 60.0, 0}, // ties the fifth
            {lastTies, 3, 59.0, 5},
            {tableOf({{3, 60.3}}), 3, 59.8, 2}, // a fraction that gives the same time text
            {twoTwos, 2, 30.0, 3},
            {twoTwos, 2, 40.0, 4}, // a tie goes behind
            {tableOf({{1, 1}, {2, 1}, {3, 1}, {4, 1}}), 9, 1.0, 5},
            // A game over a day long must not pass for a fast one (its time of day alone is 10 s).
            {tableOf({{3, 3600}}), 3, 86410.0, 2},
            {HighScoreTable(), 99, 1.0, 0}};
        for (const auto& [table, pegs, seconds, position] : cases)
            QCOMPARE(table.checkForHighScore(pegs, seconds * Second).value_or(0), position);
    }

    void topPlayerOfAnEmptyTableIsBlank()
    {
        QCOMPARE(TopPlayer::of(HighScoreTable()), TopPlayer());
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
