#pragma once

#include <QString>

class Dialogs;
class MusicDevice;
class ScoreStore;
class SettingsStore;
class SoundPlayer;
class TimeSource;

// What the main window needs from outside; the program passes the real devices, tests their doubles.
struct Services {
    SoundPlayer& sound;
    MusicDevice& music;
    const TimeSource& time;
    Dialogs& dialogs;
    ScoreStore& scores;
    // The directory of the executable, without a trailing separator: sounds, tune, help and scores live there.
    QString programDir;
};
