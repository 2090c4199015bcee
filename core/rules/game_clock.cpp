#include "core/rules/game_clock.h"

#include "core/rules/time_source.h"

#include <algorithm>

void GameClock::start()
{
    pausedTime_ = 0;
    startTime_ = source_.nowMs();
}

void GameClock::pauseStarted()
{
    pauseStart_ = source_.nowMs();
}

void GameClock::pauseEnded()
{
    pausedTime_ += std::max<qint64>(0, source_.nowMs() - pauseStart_);
}

void GameClock::tick()
{
    const qint64 playedMs = std::max<qint64>(0, source_.nowMs() - startTime_ - pausedTime_);
    // Rounded to the nearest second: a tick that fires a little early still shows the full second.
    elapsedSeconds_ = (playedMs + 500) / 1000;
}

QString GameClock::format(qint64 seconds)
{
    return QStringLiteral("%1:%2:%3").arg(seconds / 3600).arg(seconds / 60 % 60).arg(seconds % 60);
}
