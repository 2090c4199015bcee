#pragma once

#include <QString>

// The program's title and version as the windows show them.
namespace AppInfo {
inline const QString Title = QStringLiteral("Hopnix33");
inline const QString ProductName = QStringLiteral("Hopnix");
inline const QString Company = QStringLiteral("Tarnwick");

inline QString versionText()
{
    return QStringLiteral("Version %1.%2.%3").arg(HOPNIX_VERSION_MAJOR).arg(HOPNIX_VERSION_MINOR).arg(HOPNIX_VERSION_PATCH);
}
} // namespace AppInfo
