#include "core/settings/qt_settings_store.h"

#include "core/settings/settings_keys.h"

#include <QSettings>

QString QtSettingsStore::value(const QString& key, const QString& defaultValue) const
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Hopnix"), SettingsKeys::Application);
    return settings.value(key, defaultValue).toString();
}
