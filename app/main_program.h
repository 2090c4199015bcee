#pragma once

#include "windows/services.h"

#include <QObject>
#include <memory>

class Form1;
class FrmSplash;
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

    Form1* form1() const { return form1_.get(); }
    FrmSplash* splash() const { return splash_.get(); }

Q_SIGNALS:
    // The main window has closed: the program is to end.
    void finished();

private:
    void Main(bool smallPieces);

    Services services_;
    const SettingsStore& settings_;
    std::unique_ptr<FrmSplash> splash_;
    std::unique_ptr<Form1> form1_;
};
