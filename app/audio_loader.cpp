#include "app/audio_loader.h"

#include "core/music/silent_audio_devices.h"

#include <QFileInfo>
#include <QLibrary>

std::unique_ptr<AudioDevices> AudioLoader::load(const QString& programDir, const QString& moduleName)
{
    const QString modulePath = programDir + QLatin1Char('/') + moduleName;
    // Loading opens the file: a pipe in its place would hang the game, so only a regular file is tried.
    if (!QFileInfo(modulePath).isFile())
        return std::make_unique<SilentAudioDevices>();
    // Never unloaded: the devices' code lives in it until the process ends.
    QLibrary module(modulePath);
    // Every symbol bound now: one missing later would end the game in the middle of a sound.
    module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    const auto entry = reinterpret_cast<AudioDevices::ModuleEntryFunction>(module.resolve(AudioDevices::ModuleEntry));
    AudioDevices* devices = entry != nullptr ? entry(programDir.toLocal8Bit().constData()) : nullptr;
    if (devices == nullptr)
        return std::make_unique<SilentAudioDevices>();
    return std::unique_ptr<AudioDevices>(devices);
}
