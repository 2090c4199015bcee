#include "core/music/loop_timing.h"

#include <algorithm>

namespace {
constexpr qint64 MicrosPerSecond = 1000000;
constexpr qint64 SixteenthsPerQuarter = 4;

qint64 ceilDiv(qint64 a, qint64 b)
{
    return (a + b - 1) / b;
}
} // namespace

std::optional<LoopTiming> LoopTiming::forTune(const MidiTempoMap& map, qint64 loopPointSixteenths)
{
    LoopTiming timing;
    timing.division_ = map.division();
    // The first tick whose sixteenth (rounded down) is the loop point.
    const qint64 loopTick = ceilDiv(loopPointSixteenths * timing.division_, SixteenthsPerQuarter);
    const qint64 passTick = std::min(loopTick, map.endTick());
    if (passTick <= 0)
        return std::nullopt;
    timing.endsWithSong_ = passTick < loopTick;
    // Each step is checked against the limit before the next is added, so nothing overflows.
    const qint64 maxScaled = MaxLoopSeconds * MicrosPerSecond * timing.division_;
    for (const MidiTempoMap::Change& change : map.changes()) {
        if (change.tick >= passTick)
            break;
        const qint64 start = timing.segments_.empty() ? 0 : timing.scaledAt(change.tick);
        if (start > maxScaled)
            return std::nullopt;
        timing.segments_.push_back({change.tick, change.microsPerQuarter, start});
    }
    const qint64 scaledPass = timing.scaledAt(passTick);
    if (scaledPass > maxScaled)
        return std::nullopt;
    timing.loopFrames_ = ceilDiv(scaledPass * SampleRate, timing.division_ * MicrosPerSecond);
    return timing;
}

const LoopTiming::Segment& LoopTiming::segmentAtTick(qint64 tick) const
{
    const auto after = std::upper_bound(segments_.begin(), segments_.end(), tick,
        [](qint64 t, const Segment& s) { return t < s.tick; });
    return *(after - 1);
}

qint64 LoopTiming::scaledAt(qint64 tick) const
{
    const Segment& segment = segmentAtTick(tick);
    return segment.scaledStart + (tick - segment.tick) * segment.microsPerQuarter;
}

qint64 LoopTiming::sixteenthsAt(qint64 frame) const
{
    // Frames past twice the longest pass are never played before a rewind; the bound keeps the sums in range.
    const qint64 clamped = std::clamp<qint64>(frame, 0, 2 * MaxLoopSeconds * SampleRate);
    // The time at the frame in the segments' scale, times the sample rate, to stay in integers.
    const qint64 target = clamped * division_ * MicrosPerSecond;
    const auto after = std::upper_bound(segments_.begin(), segments_.end(), target,
        [](qint64 t, const Segment& s) { return t < s.scaledStart * SampleRate; });
    const Segment& segment = *(after - 1);
    const qint64 tick =
        segment.tick + (target - segment.scaledStart * SampleRate) / (segment.microsPerQuarter * SampleRate);
    return tick * SixteenthsPerQuarter / division_;
}
