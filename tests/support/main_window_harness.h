#pragma once

#include "app/main_program.h"
#include "game_scripts.h"
#include "core/scores/score_store.h"
#include "support/manual_time_source.h"
#include "support/map_settings_store.h"
#include "support/recording_music_device.h"
#include "support/recording_sound_player.h"
#include "support/scripted_dialogs.h"

#include <QTemporaryDir>
#include <memory>

class MainWindow;

// The program started as the splash timer would start it, on test doubles and a scratch directory.
class MainWindowHarness {
public:
    explicit MainWindowHarness(const QString& dpiSetting = QString());
    ~MainWindowHarness();

    MainWindow& form() const;
    // Clicks a board cell with the mouse, as a player would.
    void click(int row, int col) const;
    // Plays the jumps by mouse clicks.
    void play(const std::vector<Jump>& jumps) const;
    // Picks a board from the Boards menu.
    void chooseBoard(int board) const;
    QString dir() const { return dir_.path(); }
    QStringList soundNames() const;

    QTemporaryDir dir_;
    RecordingSoundPlayer sound;
    RecordingMusicDevice music;
    ManualTimeSource time;
    ScriptedDialogs dialogs;
    MapSettingsStore settings;
    ScoreStore scores;
    std::unique_ptr<MainProgram> program;
};
