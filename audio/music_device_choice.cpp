#include "audio/music_device_choice.h"

#include "audio/fluid_music_device.h"
#include "audio/pcm_music_device.h"

std::unique_ptr<MusicDevice> MusicDeviceChoice::create()
{
    if (qEnvironmentVariableIsSet(LiveVariable))
        return std::make_unique<FluidMusicDevice>();
    return std::make_unique<PcmMusicDevice>();
}
