#pragma once

#include "windows/services.h"

#include <QObject>
#include <memory>

class MainWindow;
class SplashWindow;
class SettingsStore;

// Start-up: the splash window, then the hand-over that builds and shows the main window.
class MainProgram : public QObject {
    Q_OBJECT
public:
    MainProgram(const Services& services, const SettingsStore& settings);
    ~MainProgram() override;

    // Shows the splash; its timer runs the hand-over.
    void start();
    // Everything the splash timer does, in one event: scores, display check, Main, splash closed.
    void handOver();

    MainWindow* mainWindow() const { return mainWindow_.get(); }
    SplashWindow* splash() const { return splash_.get(); }

Q_SIGNALS:
    // The main window has closed: the program is to end.
    void finished();

private:
    void runMain(bool smallPieces);

    Services services_;
    const SettingsStore& settings_;
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<MainWindow> mainWindow_;
};
