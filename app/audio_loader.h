#pragma once

#include "core/music/audio_devices.h"

#include <QString>

#include <memory>

// Loads the game's audio module from the game's directory. The module brings Qt Multimedia and the sound
// server's libraries with it, so they are mapped only once asked for. A module that is missing, not a regular
// file, or not the game's gives silent devices, and quietly.
class AudioLoader {
public:
    // In a folder of its own, so a package's tree holds no shared library where the linker's cache looks.
    static constexpr const char* ModuleName = "modules/libhopnix-audio.so";

    // The devices of the module ModuleName in programDir, whose programs they use; silent ones without.
    static std::unique_ptr<AudioDevices> load(const QString& programDir) { return load(programDir, QLatin1String(ModuleName)); }
    static std::unique_ptr<AudioDevices> load(const QString& programDir, const QString& moduleName);
};
