#include "app/display_start_guard.h"
#include "app/main_program.h"
#include "app/real_services.h"
#include "audio/tune_render_process.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The game starts itself again to render its tune out of its own memory.
    if (TuneRenderProcess::isHelper(argc, argv))
        return TuneRenderProcess::runHelper(argc, argv);
    // The game draws with the raster engine only; loading the GL stack would cost memory for nothing.
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    DisplayStartGuard displayGuard;
    QApplication app(argc, argv);
    displayGuard.opened();
    QApplication::setApplicationName(QStringLiteral("hopnix"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarnwick.Hopnix"));
    RealServices real;
    MainProgram program(real.services(), real.settings());
    QObject::connect(&program, &MainProgram::finished, &app, &QApplication::quit, Qt::QueuedConnection);
    program.start();
    return app.exec();
}
