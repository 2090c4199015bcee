// The entry of the audio module the game loads once its splash is on screen.
#include "audio/qt_audio_devices.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT AudioDevices* hopnix_create_audio_devices(const char* programDir)
{
    return new QtAudioDevices(QString::fromLocal8Bit(programDir));
}

static_assert(std::is_same_v<decltype(&hopnix_create_audio_devices), AudioDevices::ModuleEntryFunction>);
