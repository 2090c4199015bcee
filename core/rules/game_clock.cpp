#include "core/rules/game_clock.h"

#include "core/rules/time_source.h"

#include <algorithm>

void GameClock::start()
{
    PausedTime_ = 0;
    StartTime_ = source_.nowMs();
}

void GameClock::pauseStarted()
{
    PauseStart_ = source_.nowMs();
}

void GameClock::pauseEnded()
{
    PausedTime_ += std::max<qint64>(0, source_.nowMs() - PauseStart_);
}

void GameClock::tick()
{
    const qint64 playedMs = std::max<qint64>(0, source_.nowMs() - StartTime_ - PausedTime_);
    // Rounded to the nearest second: a tick that fires a little early still shows the full second.
    elapsedSeconds_ = (playedMs + 500) / 1000;
}

QString GameClock::format(qint64 seconds)
{
    return QStringLiteral("%1:%2:%3").arg(seconds / 3600).arg(seconds / 60 % 60).arg(seconds % 60);
}
