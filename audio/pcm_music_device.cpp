#include "audio/pcm_music_device.h"

#include "core/files/safe_file_reader.h"

#include "core/music/music_loop.h"
#include "audio/qt_pcm_output.h"
#include "audio/soundfont_search.h"
#include "audio/tune_render_process.h"
#include "core/music/midi_tempo_map.h"
#include "core/music/rendered_loop.h"

#include <QCoreApplication>
#include <QFile>

namespace {
std::optional<QByteArray> readTune(const QString& path)
{
    SafeFileReader::Result file = SafeFileReader::read(path, MusicLoop::MaxTuneBytes);
    if (file.status != SafeFileReader::Status::Ok)
        return std::nullopt;
    return std::move(file.bytes);
}
} // namespace

PcmMusicDevice::PcmMusicDevice(QString renderProgram, QObject* parent)
    : PcmMusicDevice(std::make_unique<QtPcmOutput>(), SoundfontSearch::defaultPlaces(), std::move(renderProgram), parent)
{
}

PcmMusicDevice::PcmMusicDevice(std::unique_ptr<PcmOutput> output, QStringList soundfontSearch,
    QString renderProgram, QObject* parent)
    : MusicDevice(parent), soundfontSearch_(std::move(soundfontSearch)), renderProgram_(std::move(renderProgram)),
      statusTimer_(this),
      stream_([this](char* data, qint64 maxBytes) { return readFrames(data, maxBytes); }), output_(std::move(output))
{
    statusTimer_.setInterval(StatusIntervalMs);
    connect(&statusTimer_, &QTimer::timeout, this, &PcmMusicDevice::onStatusTimer);
}

PcmMusicDevice::~PcmMusicDevice()
{
    close();
    // Qt's audio stream runs the event loop as it goes; no word from the rendering may reach this device then.
    QCoreApplication::removePostedEvents(this);
    output_.reset();
}

void PcmMusicDevice::open(const QString& path)
{
    close();
    const std::optional<QByteArray> midi = readTune(path);
    const std::optional<MidiTempoMap> tempo = midi ? MidiTempoMap::parse(*midi) : std::nullopt;
    std::optional<LoopTiming> timing = tempo ? LoopTiming::forTune(*tempo, MusicLoop::LoopPoint) : std::nullopt;
    const QString soundfont = SoundfontSearch::find(soundfontSearch_);
    if (!timing || soundfont.isEmpty())
        return;
    loop_ = std::make_shared<RenderedLoop>(timing->loopFrames(), RenderedLoop::MaxTailFrames);
    playhead_.emplace(std::move(*timing));
    renderer_ = std::thread([this, loop = loop_, soundfont, bytes = *midi] {
        const bool rendered = TuneRenderProcess::render(renderProgram_, soundfont, bytes, *loop, cancel_,
            [this] { QMetaObject::invokeMethod(this, &PcmMusicDevice::onFirstFrames, Qt::QueuedConnection); });
        rendered_.store(rendered);
        QMetaObject::invokeMethod(
            this, [this, loop, rendered] { onRenderingDone(loop, rendered); }, Qt::QueuedConnection);
    });
}

void PcmMusicDevice::close()
{
    output_->stop();
    outputState_ = OutputState::Closed;
    // The helper is killed at once, and the thread sees that within its poll interval.
    cancel_.store(true);
    if (renderer_.joinable())
        renderer_.join();
    cancel_.store(false);
    loop_.reset();
    playhead_.reset();
    wantPlaying_ = false;
    updateStatusTimer();
}

bool PcmMusicDevice::waitUntilRendered()
{
    if (!renderer_.joinable())
        return loop_ && loop_->isComplete();
    renderer_.join();
    onFirstFrames();
    onRenderingDone(loop_, rendered_.load());
    return loop_ && loop_->isComplete();
}

void PcmMusicDevice::play()
{
    if (!playhead_)
        return;
    wantPlaying_ = true;
    startOutput();
}

void PcmMusicDevice::stop()
{
    wantPlaying_ = false;
    if (outputState_ == OutputState::Playing) {
        refresh();
        output_->suspend();
        outputState_ = OutputState::Suspended;
    }
    updateStatusTimer();
}

void PcmMusicDevice::prev()
{
    if (!playhead_)
        return;
    refresh();
    if (playhead_->rewind() && outputState_ != OutputState::Closed) {
        output_->stop();
        outputState_ = OutputState::Closed;
        if (wantPlaying_)
            startOutput();
    }
    updateStatusTimer();
}

qint64 PcmMusicDevice::position() const
{
    refresh();
    return playhead_ ? playhead_->position() : 0;
}

bool PcmMusicDevice::atEnd() const
{
    refresh();
    return playhead_ && playhead_->atEnd();
}

void PcmMusicDevice::startOutput()
{
    if (outputState_ == OutputState::Suspended) {
        output_->resume();
        outputState_ = OutputState::Playing;
    } else if (outputState_ == OutputState::Closed && loop_->readyFrames() > 0 && output_->start(stream_)) {
        outputState_ = OutputState::Playing;
    }
    updateStatusTimer();
}

void PcmMusicDevice::onFirstFrames()
{
    if (wantPlaying_ && outputState_ == OutputState::Closed)
        startOutput();
}

void PcmMusicDevice::onRenderingDone(const std::shared_ptr<RenderedLoop>& loop, bool rendered)
{
    // Word from the rendering of a tune opened before this one.
    if (loop != loop_)
        return;
    if (renderer_.joinable())
        renderer_.join();
    // A tune whose rendering failed part of the way is not played at all.
    if (!rendered)
        close();
}

void PcmMusicDevice::onStatusTimer()
{
    Q_EMIT statusUpdate();
}

void PcmMusicDevice::updateStatusTimer()
{
    if (outputState_ == OutputState::Playing)
        statusTimer_.start();
    else
        statusTimer_.stop();
}

void PcmMusicDevice::refresh() const
{
    if (playhead_ && outputState_ == OutputState::Playing)
        playhead_->update(output_->queuedFrames());
}

qint64 PcmMusicDevice::readFrames(char* data, qint64 maxBytes)
{
    if (!playhead_ || !loop_)
        return 0;
    return playhead_->read(data, maxBytes / RenderedLoop::BytesPerFrame, *loop_) * RenderedLoop::BytesPerFrame;
}
