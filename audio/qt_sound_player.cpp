#include "audio/qt_sound_player.h"

#include "audio/pulse_server_probe.h"
#include "core/music/wave_header.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace {
// A handful of paths are ever used; the cap only guards against an unbounded set.
constexpr std::size_t MaxCachedEffects = 8;

bool isPlayableWave(const QString& path)
{
    const std::optional<WaveHeader> header = WaveHeader::readFile(path);
    return header && header->dataBytes > 0;
}
} // namespace

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const QString& path)
{
    // Asking Qt for the output device without a server to ask prints a warning.
    if (!PulseServerProbe::mayBeRunning())
        return;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return;
    QSoundEffect* effect = effectFor(path);
    if (effect == nullptr)
        return;
    if (effect->audioDevice() != output)
        effect->setAudioDevice(output);
    effect->play();
}

QSoundEffect* QtSoundPlayer::effectFor(const QString& path)
{
    const auto found = effects_.find(path);
    if (found != effects_.end())
        return found->second.get();
    if (!isPlayableWave(path))
        return nullptr;
    if (effects_.size() >= MaxCachedEffects)
        effects_.clear();
    auto effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(path));
    return effects_.emplace(path, std::move(effect)).first->second.get();
}
