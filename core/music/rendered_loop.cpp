#include "core/music/rendered_loop.h"

#include <algorithm>

void RenderedLoop::allocate()
{
    pass_.assign(static_cast<size_t>(loopFrames_ * Channels), 0);
    tail_.assign(static_cast<size_t>(tailCapacity_ * Channels), 0);
}

void RenderedLoop::finish(qint64 tailFrames)
{
    tailFrames_ = std::clamp<qint64>(tailFrames, 0, tailCapacity_);
    ready_.store(loopFrames_, std::memory_order_release);
    complete_.store(true, std::memory_order_release);
}
