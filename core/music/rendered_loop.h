#pragma once

#include "core/files/file_descriptor.h"
#include "core/music/loop_timing.h"

#include <QString>
#include <QtGlobal>

#include <atomic>

// The tune rendered once as interleaved 16-bit stereo frames: one pass of the loop, and the sound that rings
// on past its end (released notes dying away), which later passes mix into their start so the seam is clean.
// The frames, some 13 MB, are kept in a scratch file, the pass and then the tail, and read back as they play,
// so they take page cache rather than the game's memory. One thread renders while another already plays what
// is ready.
class RenderedLoop {
public:
    static constexpr int Channels = 2;
    static constexpr int BytesPerFrame = Channels * static_cast<int>(sizeof(qint16));
    // Notes released at the loop point ring on at most this long (two seconds) into the next pass.
    static constexpr qint64 MaxTailFrames = 2 * LoopTiming::SampleRate;

    RenderedLoop(qint64 loopFrames, qint64 tailCapacity) : loopFrames_(loopFrames), tailCapacity_(tailCapacity) {}

    qint64 loopFrames() const { return loopFrames_; }

    // The rendering side, in this order: open the scratch file in `directory`, append the bytes of the pass and
    // then of the tail as they come (the pass is published as it grows), finish. Each is false when the file
    // fails, when more comes than pass and tail hold, or, for finish, when the pass is short or a frame is cut.
    bool open(const QString& directory);
    bool append(const char* bytes, qint64 size);
    bool finish();

    // The playing side: frames of the pass below readyFrames() may be read; the tail once isComplete(). Each read
    // copies up to `frames` frames from frame `first` to `out` and says how many it copied.
    qint64 readyFrames() const { return ready_.load(std::memory_order_acquire); }
    bool isComplete() const { return complete_.load(std::memory_order_acquire); }
    qint64 tailFrames() const { return tailFrames_; }
    qint64 readPass(qint64 first, qint64 frames, char* out) const;
    qint64 readTail(qint64 first, qint64 frames, char* out) const;

private:
    qint64 passBytes() const { return loopFrames_ * BytesPerFrame; }
    qint64 capacityBytes() const { return passBytes() + tailCapacity_ * BytesPerFrame; }
    qint64 readFrom(qint64 byteOffset, qint64 frames, char* out) const;

    const qint64 loopFrames_;
    const qint64 tailCapacity_;
    FileDescriptor file_;
    qint64 written_ = 0;
    qint64 tailFrames_ = 0;
    std::atomic<qint64> ready_ = 0;
    std::atomic<bool> complete_ = false;
};
