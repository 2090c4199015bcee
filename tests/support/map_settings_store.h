#pragma once

#include "core/settings/settings_store.h"

#include <QMap>

// Settings held in memory.
class MapSettingsStore : public SettingsStore {
public:
    QString value(const QString& key, const QString& defaultValue) const override { return values.value(key, defaultValue); }

    QMap<QString, QString> values;
};
