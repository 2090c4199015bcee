#include "audio/fluid_music_device.h"

#include "audio/fluid_engine.h"
#include "audio/soundfont_search.h"
#include "core/files/safe_file_reader.h"

static_assert(FluidMusicDevice::SampleRate == FluidEngine::SampleRate);

namespace {
// A background tune is tens of kilobytes; a file far larger than any tune is not read into memory.
constexpr qint64 MaxMidiBytes = 4 * 1024 * 1024;
} // namespace

FluidMusicDevice::FluidMusicDevice(QObject* parent)
    : FluidMusicDevice(Output::AudioDriver, SoundfontSearch::defaultPlaces(), parent)
{
}

FluidMusicDevice::FluidMusicDevice(Output output, QStringList soundfontSearch, QObject* parent)
    : MusicDevice(parent), output_(output), soundfontSearch_(std::move(soundfontSearch))
{
    FluidEngine::silenceLibraries();
    statusTimer_.setInterval(StatusIntervalMs);
    connect(&statusTimer_, &QTimer::timeout, this, &FluidMusicDevice::onStatusTimer);
}

FluidMusicDevice::~FluidMusicDevice()
{
    close();
}

void FluidMusicDevice::open(const QString& path)
{
    close();
    const SafeFileReader::Result file = SafeFileReader::read(path, MaxMidiBytes);
    if (!file.ok())
        return;
    const QByteArray& midi = file.bytes;
    const std::optional<MidiHeader> header = MidiHeader::parse(midi);
    const QString soundfont = SoundfontSearch::find(soundfontSearch_);
    if (!header || soundfont.isEmpty())
        return;
    header_ = *header;
    opened_ = true;
    const auto engineOutput =
        output_ == Output::Offline ? FluidEngine::Output::Offline : FluidEngine::Output::AudioDriver;
    loader_ = std::thread(
        [this, soundfont, midi, engineOutput] { install(FluidEngine::create(soundfont, midi, engineOutput)); });
}

void FluidMusicDevice::waitUntilLoaded()
{
    if (loader_.joinable())
        loader_.join();
}

void FluidMusicDevice::install(std::unique_ptr<FluidEngine> engine)
{
    const std::lock_guard lock(mutex_);
    loadFinished_ = true;
    if (closing_ || !engine)
        return;
    engine_ = std::move(engine);
    if (wantRewind_)
        engine_->rewind();
    if (wantPlaying_)
        engine_->play();
}

void FluidMusicDevice::close()
{
    statusTimer_.stop();
    {
        const std::lock_guard lock(mutex_);
        closing_ = true;
    }
    // A soundfont load cannot be interrupted; quitting while it runs waits for it.
    waitUntilLoaded();
    const std::lock_guard lock(mutex_);
    engine_.reset();
    opened_ = false;
    closing_ = false;
    loadFinished_ = false;
    wantPlaying_ = false;
    wantRewind_ = false;
}

void FluidMusicDevice::play()
{
    if (!opened_)
        return;
    {
        const std::lock_guard lock(mutex_);
        wantPlaying_ = true;
        if (engine_)
            engine_->play();
    }
    statusTimer_.start();
}

void FluidMusicDevice::stop()
{
    statusTimer_.stop();
    const std::lock_guard lock(mutex_);
    wantPlaying_ = false;
    if (engine_)
        engine_->stop();
}

void FluidMusicDevice::prev()
{
    const std::lock_guard lock(mutex_);
    if (engine_)
        engine_->rewind();
    else
        wantRewind_ = true;
}

qint64 FluidMusicDevice::position() const
{
    const std::lock_guard lock(mutex_);
    return engine_ ? header_.sixteenths(engine_->currentTick()) : 0;
}

bool FluidMusicDevice::atEnd() const
{
    const std::lock_guard lock(mutex_);
    return engine_ && engine_->atEnd();
}

bool FluidMusicDevice::isReady() const
{
    const std::lock_guard lock(mutex_);
    return engine_ != nullptr;
}

std::vector<float> FluidMusicDevice::render(int frames)
{
    const std::lock_guard lock(mutex_);
    if (!engine_ || output_ != Output::Offline)
        return std::vector<float>(static_cast<size_t>(frames) * 2);
    return engine_->render(frames);
}

void FluidMusicDevice::onStatusTimer()
{
    {
        const std::lock_guard lock(mutex_);
        // A load that failed leaves nothing to report on.
        if (loadFinished_ && !engine_) {
            statusTimer_.stop();
            return;
        }
    }
    Q_EMIT statusUpdate();
}
