// The game clock: whole seconds, pauses not counted, never negative.
#include "core/rules/game_clock.h"
#include "support/manual_time_source.h"

#include <QTest>

class TestGameClock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formatsWithoutLeadingZeros_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("five minutes nine") << qint64(309) << "0:5:9";
        QTest::newRow("one two three") << qint64(3723) << "1:2:3";
        QTest::newRow("a day and an hour") << qint64(90000) << "25:0:0";
    }

    void formatsWithoutLeadingZeros()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(GameClock::format(seconds), text);
    }

    void countsPlayingTimeOnly()
    {
        ManualTimeSource time;
        GameClock clock(time);
        clock.start();
        time.advanceSeconds(10);
        clock.pauseStarted();
        time.advanceSeconds(100);
        clock.pauseEnded();
        time.advanceSeconds(5);
        clock.tick();
        QCOMPARE(clock.elapsedTime(), 15.0 / 86400.0);
        // A new game counts from zero, whatever the pauses before.
        clock.pauseStarted();
        time.advanceSeconds(30);
        clock.pauseEnded();
        clock.start();
        time.advanceSeconds(4);
        clock.tick();
        QCOMPARE(clock.elapsedSeconds(), 4);
        // Early and late ticks do not drift.
        time.advanceSeconds(0.96);
        clock.tick();
        time.advanceSeconds(2.3);
        clock.tick();
        QCOMPARE(clock.elapsedSeconds(), 7);
    }

    void neverNegativeAndKeepsCountingPastADay()
    {
        // A source that jumps back, before the start and during a pause.
        ManualTimeSource time;
        GameClock clock(time);
        clock.start();
        time.advanceSeconds(-30);
        clock.tick();
        QCOMPARE(clock.elapsedSeconds(), 0);
        time.advanceSeconds(40);
        clock.pauseStarted();
        time.advanceSeconds(-20);
        clock.pauseEnded();
        clock.tick();
        // A pause that "lasted" minus twenty seconds adds no playing time.
        QCOMPARE(clock.elapsedSeconds(), 0);
        time.advanceSeconds(86400 + 3723 + 10);
        clock.tick();
        QCOMPARE(GameClock::format(clock.elapsedSeconds()), QStringLiteral("25:2:3"));
    }
};

QTEST_GUILESS_MAIN(TestGameClock)
#include "test_game_clock.moc"
