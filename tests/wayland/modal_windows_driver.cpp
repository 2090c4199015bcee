// Opens each real modal window from the menus and by playing a game to its end, and closes it once the compositor has
// shown it, printing its title. Under WAYLAND_DEBUG=client the protocol log tells each window's parent.

#include "app/main_program.h"
#include "core/scores/score_store.h"
#include "game_scripts.h"
#include "support/manual_time_source.h"
#include "support/map_settings_store.h"
#include "support/recording_music_device.h"
#include "support/recording_sound_player.h"
#include "ui/modal_dialogs.h"
#include "windows/main_menu.h"
#include "windows/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

// Closing is queued: a window that opens another as it closes (Game Over, then the name entry) runs its own loop.
void closeShownModalWindow()
{
    static QPointer<QDialog> closing;
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || dialog == closing || !dialog->windowHandle() || !dialog->windowHandle()->isExposed())
        return;
    std::printf("shown: %s\n", qPrintable(dialog->windowTitle()));
    std::fflush(stdout);
    closing = dialog;
    QMetaObject::invokeMethod(dialog, [dialog] { dialog->done(QDialog::Accepted); }, Qt::QueuedConnection);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarnwick.Hopnix"));

    QTemporaryDir dir;
    RecordingSoundPlayer sound;
    RecordingMusicDevice music;
    ManualTimeSource time;
    ModalDialogs dialogs;
    MapSettingsStore settings;
    ScoreStore scores(dir.path(), dir.path() + QStringLiteral("/user"));
    MainProgram program({sound, music, time, dialogs, scores, dir.path()}, settings);
    program.handOver();
    MainWindow& window = *program.mainWindow();
    QTimer closer;
    QObject::connect(&program, &MainProgram::finished, &app, &QApplication::quit, Qt::QueuedConnection);
    QObject::connect(&closer, &QTimer::timeout, &closeShownModalWindow);
    closer.start(10);

    QTimer::singleShot(0, [&] {
        window.menu().aboutItem->trigger();
        window.menu().helpItem->trigger();
        window.menu().highScoreItems[1]->trigger();
        window.menu().boardItems[1]->trigger();
        window.newGame();
        for (const Jump& jump : GameScripts::europeanOneStuck) {
            window.clickCell(jump[0], jump[1]);
            window.clickCell(jump[2], jump[3]);
        }
        window.close();
    });
    return app.exec();
}
