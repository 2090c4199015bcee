#pragma once

#include "audio/pcm_output.h"
#include "core/music/rendered_loop.h"

#include <QByteArray>
#include <QIODevice>

// An audio output that plays only when a test says so: it keeps its buffer full from the source and hands
// the frames it plays back to the test.
class PulledPcmOutput : public PcmOutput {
public:
    explicit PulledPcmOutput(qint64 bufferFrames) : bufferBytes_(bufferFrames * RenderedLoop::BytesPerFrame) {}

    bool start(QIODevice& source) override
    {
        if (!available)
            return false;
        ++starts;
        source_ = &source;
        suspended = false;
        fill();
        return true;
    }
    void suspend() override { suspended = true; }
    void resume() override
    {
        suspended = false;
        fill();
    }
    void stop() override
    {
        source_ = nullptr;
        buffer_.clear();
    }
    qint64 queuedFrames() const override { return buffer_.size() / RenderedLoop::BytesPerFrame; }

    bool isPlaying() const { return source_ != nullptr && !suspended; }

    // Plays up to `frames` frames (none while stopped or suspended, fewer if the source runs dry) and returns them.
    QByteArray play(qint64 frames)
    {
        QByteArray heard;
        for (qint64 left = frames * RenderedLoop::BytesPerFrame; isPlaying() && left > 0 && !buffer_.isEmpty();) {
            const QByteArray part = buffer_.left(left);
            buffer_.remove(0, part.size());
            heard += part;
            left -= part.size();
            fill();
        }
        return heard;
    }

    // Whether start() succeeds: false stands for a machine without sound.
    bool available = true;
    int starts = 0;
    bool suspended = false;

private:
    void fill()
    {
        if (source_ != nullptr && buffer_.size() < bufferBytes_)
            buffer_ += source_->read(bufferBytes_ - buffer_.size());
    }

    const qint64 bufferBytes_;
    QIODevice* source_ = nullptr;
    QByteArray buffer_;
};
