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
        qint64 count = std::min({frames - done, loop - cursor_, audio.readyFrames() - cursor_});
        if (count <= 0)
            break;
        char* to = out + done * RenderedLoop::BytesPerFrame;
        if (afterWrap_ && cursor_ < audio.tailFrames()) {
            count = readMixed(to, std::min(count, audio.tailFrames() - cursor_), audio);
        } else {
            std::memcpy(to, audio.pass() + cursor_ * RenderedLoop::Channels,
                static_cast<size_t>(count * RenderedLoop::BytesPerFrame));
        }
        cursor_ += count;
        done += count;
    }
    fed_ += done;
    return done;
}

qint64 LoopPlayhead::readMixed(char* out, qint64 frames, const RenderedLoop& audio) const
{
    std::array<qint16, 1024> mixed{};
    const qint64 count = std::min<qint64>(frames, mixed.size() / RenderedLoop::Channels);
    const qint16* pass = audio.pass() + cursor_ * RenderedLoop::Channels;
    const qint16* tail = audio.tail() + cursor_ * RenderedLoop::Channels;
    for (qint64 i = 0; i < count * RenderedLoop::Channels; ++i)
        mixed[static_cast<size_t>(i)] = saturatedSum(pass[i], tail[i]);
    std::memcpy(out, mixed.data(), static_cast<size_t>(count * RenderedLoop::BytesPerFrame));
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
