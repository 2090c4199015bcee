#pragma once

#include <QtGlobal>

class QIODevice;

// Where the rendered tune's frames go: interleaved 16-bit stereo at the rendering rate, pulled from a source.
class PcmOutput {
public:
    PcmOutput() = default;
    virtual ~PcmOutput() = default;
    PcmOutput(const PcmOutput&) = delete;
    PcmOutput& operator=(const PcmOutput&) = delete;

    // Starts pulling from `source`; false, and quietly, when there is nothing to play on.
    virtual bool start(QIODevice& source) = 0;
    // Keeps the frames it holds and plays them first on resume.
    virtual void suspend() = 0;
    virtual void resume() = 0;
    // Drops the frames it holds and pulls no more.
    virtual void stop() = 0;
    // Frames pulled from the source that have not been heard yet; asked only while playing.
    virtual qint64 queuedFrames() const = 0;
};
