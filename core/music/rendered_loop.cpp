#include "core/music/rendered_loop.h"

#include "core/files/scratch_file.h"

#include <algorithm>

bool RenderedLoop::open(const QString& directory)
{
    file_ = ScratchFile::create(directory, capacityBytes());
    return file_.isOpen();
}

bool RenderedLoop::append(const char* bytes, qint64 size)
{
    if (!file_.isOpen() || size > capacityBytes() - written_
        || !FileDescriptor::writeAllAt(file_.get(), written_, bytes, size))
        return false;
    written_ += size;
    ready_.store(std::min(written_, passBytes()) / BytesPerFrame, std::memory_order_release);
    return true;
}

bool RenderedLoop::finish()
{
    const qint64 tailBytes = written_ - passBytes();
    if (!file_.isOpen() || tailBytes < 0 || tailBytes % BytesPerFrame != 0)
        return false;
    tailFrames_ = tailBytes / BytesPerFrame;
    complete_.store(true, std::memory_order_release);
    return true;
}

qint64 RenderedLoop::readPass(qint64 first, qint64 frames, char* out) const
{
    return readFrom(first * BytesPerFrame, std::min(frames, readyFrames() - first), out);
}

qint64 RenderedLoop::readTail(qint64 first, qint64 frames, char* out) const
{
    if (!isComplete())
        return 0;
    return readFrom(passBytes() + first * BytesPerFrame, std::min(frames, tailFrames_ - first), out);
}

qint64 RenderedLoop::readFrom(qint64 byteOffset, qint64 frames, char* out) const
{
    if (frames <= 0)
        return 0;
    return FileDescriptor::readAt(file_.get(), byteOffset, out, frames * BytesPerFrame) / BytesPerFrame;
}
