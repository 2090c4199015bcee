#pragma once

#include "windows/services.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class MainWindow;
class SplashWindow;
class SettingsStore;

// Start-up: the splash window, then the hand-over that builds and shows the main window.
class MainProgram : public QObject {
    Q_OBJECT
public:
    // Builds the devices and files the game plays on; called once, as soon as the splash has been drawn.
    using ServicesFactory = std::function<Services()>;

    MainProgram(ServicesFactory services, const SettingsStore& settings);
    MainProgram(const Services& services, const SettingsStore& settings);
    ~MainProgram() override;

    // How long after the splash is first drawn the devices and files are built; the hand-over comes at 2000 ms.
    static constexpr int PrepareDelayMs = 500;

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
    void prepareServices();
    void runMain(bool smallPieces);

    ServicesFactory makeServices_;
    std::optional<Services> services_;
    const SettingsStore& settings_;
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<MainWindow> mainWindow_;
};
