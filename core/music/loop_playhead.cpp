#include "core/music/loop_playhead.h"

#include "core/music/rendered_loop.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace {
qint16 saturatedSum(qint16 a, qint16 b)
{
    return static_cast<qint16>(std::clamp<int>(a + b, std::numeric_limits<qint16>::min(),
        std::numeric_limits<qint16>::max()));
}
} // namespace

qint64 LoopPlayhead::read(char* out, qint64 frames, const RenderedLoop& audio)
{
    const qint64 loop = audio.loopFrames();
    qint64 done = 0;
    while (done < frames) {
        if (cursor_ == loop) {
            // The next pass starts with the tail of this one.
            if (!audio.isComplete())
                break;
            cursor_ = 0;
            afterWrap_ = true;
        }
        char* to = out + done * RenderedLoop::BytesPerFrame;
        const qint64 wanted = std::min(frames - done, loop - cursor_);
        const qint64 count = afterWrap_ && cursor_ < audio.tailFrames()
            ? readMixed(to, std::min(wanted, audio.tailFrames() - cursor_), audio)
            : audio.readPass(cursor_, wanted, to);
        if (count <= 0)
            break;
        cursor_ += count;
        done += count;
    }
    fed_ += done;
    return done;
}

qint64 LoopPlayhead::readMixed(char* out, qint64 frames, const RenderedLoop& audio) const
{
    constexpr qint64 BlockFrames = 512;
    std::array<qint16, BlockFrames * RenderedLoop::Channels> pass{};
    std::array<qint16, BlockFrames * RenderedLoop::Channels> tail{};
    const qint64 wanted = std::min(frames, BlockFrames);
    const qint64 count = std::min(audio.readPass(cursor_, wanted, reinterpret_cast<char*>(pass.data())),
        audio.readTail(cursor_, wanted, reinterpret_cast<char*>(tail.data())));
    for (size_t i = 0; i < static_cast<size_t>(count * RenderedLoop::Channels); ++i)
        pass[i] = saturatedSum(pass[i], tail[i]);
    std::memcpy(out, pass.data(), static_cast<size_t>(count * RenderedLoop::BytesPerFrame));
    return count;
}

void LoopPlayhead::update(qint64 queued)
{
    played_ = std::max(played_, fed_ - queued);
}

bool LoopPlayhead::rewind()
{
    const qint64 loop = timing_.loopFrames();
    if (played_ >= loop) {
        const qint64 passes = played_ / loop;
        fed_ -= passes * loop;
        played_ -= passes * loop;
        return false;
    }
    const bool held = fed_ > 0;
    cursor_ = 0;
    afterWrap_ = false;
    fed_ = 0;
    played_ = 0;
    return held;
}
