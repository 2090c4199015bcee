#include "app/real_services.h"

#include "audio/music_device_choice.h"

#include <QCoreApplication>
#include <QStandardPaths>

RealServices::RealServices()
    // The executable's real path, so a link to it elsewhere still finds the files beside it.
    : programDir_(QCoreApplication::applicationDirPath()), music_(MusicDeviceChoice::create()),
      scores_(programDir_, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
{
}

Services RealServices::services()
{
    return {sound_, *music_, time_, dialogs_, scores_, programDir_};
}
