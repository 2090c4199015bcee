#include "app/real_services.h"

#include "app/audio_loader.h"

#include <QCoreApplication>
#include <QStandardPaths>

RealServices::RealServices()
    // The executable's real path, so a link to it elsewhere still finds the files beside it.
    : programDir_(QCoreApplication::applicationDirPath()),
      audio_(AudioLoader::load(programDir_)),
      scores_(programDir_, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
{
}

Services RealServices::services()
{
    return {audio_->sound(), audio_->music(), time_, dialogs_, scores_, programDir_};
}
