#pragma once

#include "core/rules/time_source.h"

// A clock the test moves by hand.
class ManualTimeSource : public TimeSource {
public:
    qint64 nowMs() const override { return now; }
    // Negative to make the clock jump back.
    void advanceSeconds(double seconds) { now += static_cast<qint64>(seconds * 1000.0); }

    qint64 now = 1'000'000;
};
