#include "audio/qt_pcm_output.h"

#include "audio/pulse_server_probe.h"
#include "core/music/loop_timing.h"
#include "core/music/rendered_loop.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

QtPcmOutput::QtPcmOutput() = default;

QtPcmOutput::~QtPcmOutput() = default;

bool QtPcmOutput::start(QIODevice& source)
{
    if (!sink_) {
        // Asking Qt for the output device without a server to ask prints a warning.
        if (!PulseServerProbe::mayBeRunning())
            return false;
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        QAudioFormat format;
        format.setSampleRate(static_cast<int>(LoopTiming::SampleRate));
        format.setChannelCount(RenderedLoop::Channels);
        format.setSampleFormat(QAudioFormat::Int16);
        if (device.isNull() || !device.isFormatSupported(format))
            return false;
        sink_ = std::make_unique<QAudioSink>(device, format);
        const qint64 bufferBytes = LoopTiming::SampleRate * RenderedLoop::BytesPerFrame * BufferMs / 1000;
        sink_->setBufferSize(static_cast<qsizetype>(bufferBytes));
    }
    sink_->start(&source);
    return sink_->error() == QAudio::NoError && sink_->state() != QAudio::StoppedState;
}

void QtPcmOutput::suspend()
{
    if (sink_)
        sink_->suspend();
}

void QtPcmOutput::resume()
{
    if (sink_)
        sink_->resume();
}

void QtPcmOutput::stop()
{
    // The sink is kept for the next start; destroying it would run Qt's event loop inside a menu command.
    if (sink_)
        sink_->stop();
}

bool QtPcmOutput::isPlaying() const
{
    return sink_ && (sink_->state() == QAudio::ActiveState || sink_->state() == QAudio::IdleState);
}

qint64 QtPcmOutput::queuedFrames() const
{
    if (!isPlaying())
        return 0;
    // The stream's buffer less the room in it is what the server still has to play.
    return std::max<qint64>(0, sink_->bufferSize() - sink_->bytesFree()) / RenderedLoop::BytesPerFrame;
}
