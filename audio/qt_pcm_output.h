#pragma once

#include "audio/pcm_output.h"

#include <memory>

class QAudioSink;

// The rendered tune through Qt Multimedia: one audio stream holding about a second of sound, so the sound
// server asks for more only a few times a second. Without a sound server or an output device start() fails
// before Qt would print a warning.
class QtPcmOutput : public PcmOutput {
public:
    static constexpr int BufferMs = 1000;

    QtPcmOutput();
    ~QtPcmOutput() override;

    bool start(QIODevice& source) override;
    void suspend() override;
    void resume() override;
    void stop() override;
    qint64 queuedFrames() const override;

private:
    bool isPlaying() const;

    std::unique_ptr<QAudioSink> sink_;
};
