#include "app/display_start_guard.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

DisplayStartGuard* active = nullptr;

bool waylandPluginInstalled()
{
    return QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/libqwayland-generic.so"));
}

bool isWayland(const QString& platform)
{
    return platform.startsWith(QStringLiteral("wayland"));
}

} // namespace

DisplayStartGuard::DisplayStartGuard()
{
    active = this;
    previous_ = qInstallMessageHandler(&DisplayStartGuard::handle);
}

DisplayStartGuard::~DisplayStartGuard()
{
    opened();
}

void DisplayStartGuard::opened()
{
    if (!watching_)
        return;
    watching_ = false;
    qInstallMessageHandler(previous_);
    active = nullptr;
    for (const HeldMessage& message : held_) {
        const QMessageLogContext context(message.file.constData(), message.line, message.function.constData(),
                                         message.category.constData());
        previous_(message.type, context, message.text);
    }
    held_.clear();
}

QString DisplayStartGuard::platformNamed(const QString& pluginMessage)
{
    static const QRegularExpression quoted(QStringLiteral("platform plugin \"([^\"]+)\""));
    return quoted.match(pluginMessage).captured(1);
}

DisplayStartGuard::Remedy DisplayStartGuard::remedyFor(const QStringList& triedPlatforms, bool waylandSession,
                                                       bool waylandPluginFound)
{
    const bool waylandTried = std::any_of(triedPlatforms.begin(), triedPlatforms.end(), isWayland);
    if (!waylandPluginFound && (waylandSession || waylandTried))
        return Remedy::WaylandPackage;
    if (waylandSession && !waylandTried)
        return Remedy::WaylandPlatform;
    return Remedy::Session;
}

QString DisplayStartGuard::failureLine(const QStringList& triedPlatforms, Remedy remedy)
{
    QStringList names;
    for (const QString& platform : triedPlatforms)
        names.append(QLatin1Char('"') + platform + QLatin1Char('"'));
    const QString tried = names.isEmpty() ? QStringLiteral("Qt's default platform")
                          : names.size() == 1 ? QStringLiteral("the Qt platform ") + names.first()
                                              : QStringLiteral("the Qt platforms ") + names.join(QStringLiteral(", "));
    QString need;
    switch (remedy) {
    case Remedy::Session: need = QStringLiteral("the game needs an X or Wayland session (DISPLAY or WAYLAND_DISPLAY)"); break;
    case Remedy::WaylandPackage:
        need = QStringLiteral("to play on Wayland, install the package qt6-wayland (or start the game in an X session)");
        break;
    case Remedy::WaylandPlatform: need = QStringLiteral("to play on Wayland, start the game with QT_QPA_PLATFORM=wayland"); break;
    }
    return QStringLiteral("hopnix: cannot open a display with %1: %2").arg(tried, need);
}

void DisplayStartGuard::handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (!active)
        return;
    if (type == QtFatalMsg)
        active->fail();
    active->held_.push_back({type, QByteArray(context.category), QByteArray(context.file), QByteArray(context.function),
                             context.line, text});
}

void DisplayStartGuard::fail() const
{
    QStringList tried;
    bool waylandFound = waylandPluginInstalled();
    for (const HeldMessage& message : held_) {
        const QString platform = platformNamed(message.text);
        if (message.category != "qt.qpa.plugin" || platform.isEmpty())
            continue;
        if (!tried.contains(platform))
            tried.append(platform);
        if (isWayland(platform) && message.text.contains(QStringLiteral("Could not find")))
            waylandFound = false;
    }
    const bool waylandSession = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const QString line = failureLine(tried, remedyFor(tried, waylandSession, waylandFound));
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
    // Qt would abort next; a missing display is no crash.
    std::_Exit(1);
}
