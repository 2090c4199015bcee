#include "audio/pulse_server_probe.h"

#include "core/files/safe_file_reader.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <unistd.h>

bool PulseServerProbe::mayBeRunning()
{
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString configHome =
        env.value(QStringLiteral("XDG_CONFIG_HOME"), QDir::homePath() + QStringLiteral("/.config"));
    QStringList configs = {configHome + QStringLiteral("/pulse/client.conf"), QStringLiteral("/etc/pulse/client.conf")};
    const QDir drop(QStringLiteral("/etc/pulse/client.conf.d"));
    for (const QString& name : drop.entryList({QStringLiteral("*.conf")}, QDir::Files))
        configs.append(drop.filePath(name));
    return mayBeRunning(env, configs, {QStringLiteral("/run/pulse/native"), QStringLiteral("/var/run/pulse/native")});
}

bool PulseServerProbe::mayBeRunning(const QProcessEnvironment& env, const QStringList& clientConfigs,
    const QStringList& systemSockets)
{
    // A server named or configured elsewhere than the usual sockets: leave the judgement to the library.
    if (env.contains(QStringLiteral("PULSE_SERVER")) || env.contains(QStringLiteral("PULSE_CLIENTCONFIG")))
        return true;
    // Without XDG_RUNTIME_DIR, systemd's per-user directory is where a desktop session keeps it.
    const QString runtime = env.value(QStringLiteral("XDG_RUNTIME_DIR"), QStringLiteral("/run/user/%1").arg(getuid()));
    QStringList sockets = systemSockets;
    sockets.append(runtime + QStringLiteral("/pulse/native"));
    if (env.contains(QStringLiteral("PULSE_RUNTIME_PATH")))
        sockets.append(env.value(QStringLiteral("PULSE_RUNTIME_PATH")) + QStringLiteral("/native"));
    for (const QString& socket : sockets) {
        if (QFileInfo::exists(socket))
            return true;
    }
    for (const QString& config : clientConfigs) {
        if (namesServer(config))
            return true;
    }
    return false;
}

bool PulseServerProbe::namesServer(const QString& clientConfig)
{
    // A client configuration is a page of text; a pipe or a device in its place is not read.
    constexpr qint64 MaxConfigBytes = 256 * 1024;
    const SafeFileReader::Result file = SafeFileReader::read(clientConfig, MaxConfigBytes);
    if (!file.ok())
        return false;
    static const QRegularExpression setting(
        QStringLiteral("^[ \\t]*default-server[ \\t]*=[ \\t]*\\S"), QRegularExpression::MultilineOption);
    return setting.match(QString::fromUtf8(file.bytes)).hasMatch();
}
