#pragma once

#include "core/music/midi_tempo_map.h"

#include <QtGlobal>

#include <optional>
#include <vector>

// The background tune as sample frames: how long one pass of the loop lasts, and which sixteenth note
// sounds at a given frame of it.
class LoopTiming {
public:
    // The rate the tune is rendered and played at: CD quality, what sound servers run at by default.
    static constexpr qint64 SampleRate = 44100;
    // A tune whose pass would last longer is not played: it would take too much memory.
    static constexpr qint64 MaxLoopSeconds = 300;

    // A pass runs to the loop point, or to the end of a tune that ends before it.
    // Nothing for a tune without length or with a pass longer than MaxLoopSeconds.
    static std::optional<LoopTiming> forTune(const MidiTempoMap& map, qint64 loopPointSixteenths);

    // Frames in one pass: the first frame at which the loop point (or the end) has been reached.
    qint64 loopFrames() const { return loopFrames_; }
    // The tune ends before the loop point, so a pass ends where the tune does.
    bool endsWithSong() const { return endsWithSong_; }
    // The sixteenth note sounding at the frame counted from the start of the tune, rounded down;
    // beyond the pass the last tempo goes on.
    qint64 sixteenthsAt(qint64 frame) const;

private:
    struct Segment {
        qint64 tick = 0;
        qint64 microsPerQuarter = 0;
        // Microseconds from the start of the tune to this segment, times the division: exact in integers.
        qint64 scaledStart = 0;
    };

    qint64 scaledAt(qint64 tick) const;
    const Segment& segmentAtTick(qint64 tick) const;

    qint64 division_ = 0;
    std::vector<Segment> segments_;
    qint64 loopFrames_ = 0;
    bool endsWithSong_ = false;
};
