#pragma once

#include "core/rules/time_source.h"

#include <QElapsedTimer>

// The real clock: monotonic, unaffected by midnight or by setting the system time.
class SteadyTimeSource : public TimeSource {
public:
    SteadyTimeSource() { timer_.start(); }
    qint64 nowMs() const override { return timer_.elapsed(); }

private:
    QElapsedTimer timer_;
};
