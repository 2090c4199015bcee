#pragma once

#include "core/music/loop_timing.h"

#include <QtGlobal>

#include <atomic>
#include <vector>

// The tune rendered once as interleaved 16-bit stereo frames: one pass of the loop, and the sound that rings
// on past its end (released notes dying away), which later passes mix into their start so the seam is clean.
// One thread renders while another already plays what is ready.
class RenderedLoop {
public:
    static constexpr int Channels = 2;
    static constexpr int BytesPerFrame = Channels * static_cast<int>(sizeof(qint16));
    // Notes released at the loop point ring on at most this long (two seconds) into the next pass.
    static constexpr qint64 MaxTailFrames = 2 * LoopTiming::SampleRate;

    RenderedLoop(qint64 loopFrames, qint64 tailCapacity) : loopFrames_(loopFrames), tailCapacity_(tailCapacity) {}

    qint64 loopFrames() const { return loopFrames_; }
    qint64 tailCapacity() const { return tailCapacity_; }

    // The rendering side, in this order: allocate, write the pass and publish as it grows, write the tail, finish.
    void allocate();
    qint16* pass() { return pass_.data(); }
    qint16* tail() { return tail_.data(); }
    void publish(qint64 readyFrames) { ready_.store(readyFrames, std::memory_order_release); }
    void finish(qint64 tailFrames);

    // The playing side: frames of the pass below readyFrames() may be read; the tail once isComplete().
    qint64 readyFrames() const { return ready_.load(std::memory_order_acquire); }
    bool isComplete() const { return complete_.load(std::memory_order_acquire); }
    const qint16* pass() const { return pass_.data(); }
    const qint16* tail() const { return tail_.data(); }
    qint64 tailFrames() const { return tailFrames_; }

private:
    const qint64 loopFrames_;
    const qint64 tailCapacity_;
    std::vector<qint16> pass_;
    std::vector<qint16> tail_;
    qint64 tailFrames_ = 0;
    std::atomic<qint64> ready_ = 0;
    std::atomic<bool> complete_ = false;
};
