#include "app/display_start_guard.h"
#include "app/main_program.h"
#include "app/real_services.h"
#include "core/settings/qt_settings_store.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[])
{
    // The game draws with the raster engine only; loading the GL stack would cost memory for nothing.
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    DisplayStartGuard displayGuard;
    QApplication app(argc, argv);
    displayGuard.opened();
    QApplication::setApplicationName(QStringLiteral("hopnix"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarnwick.Hopnix"));
    const QtSettingsStore settings;
    // The sound system, the score files and the rest come once the splash is on screen.
    std::unique_ptr<RealServices> real;
    MainProgram program(
        [&real] {
            real = std::make_unique<RealServices>();
            return real->services();
        },
        settings);
    QObject::connect(&program, &MainProgram::finished, &app, &QApplication::quit, Qt::QueuedConnection);
    program.start();
    return app.exec();
}
