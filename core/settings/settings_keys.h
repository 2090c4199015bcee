#pragma once

#include <QString>

// Every setting the game reads, with its default, in one place.
namespace SettingsKeys {
// The settings file's application name, kept from the display setting's historic home.
inline const QString Application = QStringLiteral("HKEY_CURRENT_CONFIG");
// The logical dpi of the display: 120 selects the large piece images.
inline const QString DpiLogicalx = QStringLiteral("Display / Settings/DpiLogicalx");
inline const QString DpiLogicalxDefault = QStringLiteral("96");
} // namespace SettingsKeys
