#pragma once

#include "core/settings/settings_store.h"

// The per-user settings file (~/.config/Hopnix/HKEY_CURRENT_CONFIG.ini).
class QtSettingsStore : public SettingsStore {
public:
    QString value(const QString& key, const QString& defaultValue) const override;

    // Where QSettings keeps the game's user settings.
    static QString filePath();
};
