#pragma once

#include <QString>

// The "hh:mm:ss" form in which results are compared and shown.
class TimeText {
public:
    // The time of day of a value in days, to the nearest second. A day or more shows (and ranks) as
    // "23:59:59" so an overlong game never passes for a fast one; negative or NaN values show "00:00:00".
    static QString of(double days);
};
