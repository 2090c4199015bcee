#pragma once

#include <QString>

// The per-user settings the game reads (it never writes any).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString value(const QString& key, const QString& defaultValue) const = 0;
};
