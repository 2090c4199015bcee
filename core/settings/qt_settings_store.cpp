#include "core/settings/qt_settings_store.h"

#include "core/files/safe_file_reader.h"
#include "core/settings/settings_keys.h"

#include <QSettings>
#include <QStandardPaths>

namespace {
// A settings file holds a few lines; a larger one is not the game's.
constexpr qint64 MaxFileBytes = 256 * 1024;
} // namespace

QString QtSettingsStore::filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Hopnix/")
        + SettingsKeys::Application + QStringLiteral(".ini");
}

QString QtSettingsStore::value(const QString& key, const QString& defaultValue) const
{
    // QSettings would open whatever stands there and wait on a pipe or read a device without end.
    const QString path = filePath();
    if (!SafeFileReader::read(path, MaxFileBytes).ok())
        return defaultValue;
    const QSettings settings(path, QSettings::IniFormat);
    return settings.value(key, defaultValue).toString();
}
