#pragma once

#include <QtGlobal>

// Where the game clock reads time; a monotonic source so midnight and clock changes do not matter.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    // Milliseconds on a clock that never goes back.
    virtual qint64 nowMs() const = 0;
};
