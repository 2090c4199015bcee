#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <vector>

// Watches Qt open the display. Where no platform can open one, Qt would abort with a message about
// reinstalling; instead the player reads one line on what the game needs, and the program ends with status 1.
// Qt's other start-up messages are held back and passed on once the display is open.
class DisplayStartGuard {
public:
    DisplayStartGuard();
    ~DisplayStartGuard();
    DisplayStartGuard(const DisplayStartGuard&) = delete;
    DisplayStartGuard& operator=(const DisplayStartGuard&) = delete;

    // The display is open: hands the held messages on and stops watching.
    void opened();

    // What the player has to do: start a session, install Qt's Wayland support, or ask Qt for Wayland.
    enum class Remedy { Session, WaylandPackage, WaylandPlatform };

    // The platform a Qt plugin message names ('... platform plugin "xcb" ...'), or an empty string.
    static QString platformNamed(const QString& pluginMessage);
    static Remedy remedyFor(const QStringList& triedPlatforms, bool waylandSession, bool waylandPluginFound);
    // The one line for a start without a display.
    static QString failureLine(const QStringList& triedPlatforms, Remedy remedy);

private:
    struct HeldMessage {
        QtMsgType type;
        QByteArray category;
        QByteArray file;
        QByteArray function;
        int line;
        QString text;
    };

    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text);
    [[noreturn]] void fail() const;

    QtMessageHandler previous_ = nullptr;
    std::vector<HeldMessage> held_;
    bool watching_ = true;
};
