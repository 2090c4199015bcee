#include "core/scores/time_text.h"

#include <cmath>

QString TimeText::of(double days)
{
    constexpr long long SecondsPerDay = 86400;
    constexpr long long LastSecond = SecondsPerDay - 1;
    long long seconds = 0;
    if (days >= 1.0)
        seconds = LastSecond;
    else if (days > 0.0)
        seconds = std::min(std::llround(days * SecondsPerDay), LastSecond);
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
