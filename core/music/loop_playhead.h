#pragma once

#include "core/music/loop_timing.h"

#include <QtGlobal>

class RenderedLoop;

// Where the looping tune stands: which frame goes to the output next, how many frames have been heard,
// the position those make in sixteenth notes, and what going back to the start does.
class LoopPlayhead {
public:
    explicit LoopPlayhead(LoopTiming timing) : timing_(std::move(timing)) {}

    // Copies up to `frames` frames for the output into `out`: the pass over and over, every pass after the
    // first with the tail of the one before mixed into its start. Fewer where the rendering has not got to yet.
    qint64 read(char* out, qint64 frames, const RenderedLoop& audio);

    // The output still holds `queued` of the frames read so far; the rest has been heard. Never goes back.
    void update(qint64 queued);

    // Back to the start. The output plays on into the next pass by itself, so once the end of a pass has
    // been heard the count starts over from there and nothing else changes. Before that the next read starts
    // at the first frame again, and true says the output must drop the frames it holds.
    bool rewind();

    qint64 playedFrames() const { return played_; }
    qint64 position() const { return timing_.sixteenthsAt(played_); }
    // A tune that ends before the loop point has been heard to its end.
    bool atEnd() const { return timing_.endsWithSong() && played_ >= timing_.loopFrames(); }

private:
    qint64 readMixed(char* out, qint64 frames, const RenderedLoop& audio) const;

    LoopTiming timing_;
    // Frame of the pass read next.
    qint64 cursor_ = 0;
    // The first pass has been read to its end: the frames at the start now carry the tail.
    bool afterWrap_ = false;
    // Frames read, and frames heard, since the start.
    qint64 fed_ = 0;
    qint64 played_ = 0;
};
