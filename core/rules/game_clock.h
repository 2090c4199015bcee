#pragma once

#include <QString>

class TimeSource;

// The game clock: playing time of the current game, pauses not counted.
class GameClock {
public:
    static constexpr double SecondsPerDay = 86400.0;

    explicit GameClock(const TimeSource& source) : source_(source) {}

    // New Game: StartTime is now and PausedTime zero.
    void start();
    void pauseStarted();
    void pauseEnded();
    // Recomputes elapsedTime from the time source, so late or missed ticks never make it drift.
    void tick();

    // Playing time in days, whole seconds; never negative, since it is measured on a monotonic clock.
    double elapsedTime() const { return static_cast<double>(elapsedSeconds_) / SecondsPerDay; }
    qint64 elapsedSeconds() const { return elapsedSeconds_; }

    // "h:m:s" without leading zeros (0:5:9); hours keep counting past a day.
    static QString format(qint64 seconds);

private:
    const TimeSource& source_;
    qint64 startTime_ = 0;
    qint64 pauseStart_ = 0;
    qint64 pausedTime_ = 0;
    qint64 elapsedSeconds_ = 0;
};
