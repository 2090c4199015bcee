#pragma once

#include <QString>

// The program's title and version as the windows show them.
namespace AppInfo {
inline const QString Title = QStringLiteral("Hopnix33");
inline const QString ProductName = QStringLiteral("Hopnix");
inline const QString Company = QStringLiteral("Tarnwick");

// The main window's caption carries the major and minor version.
inline QString mainCaption()
{
    return QStringLiteral("Hopnix v%1.%2").arg(HOPNIX_VERSION_MAJOR).arg(HOPNIX_VERSION_MINOR);
}

inline QString versionText()
{
    return QStringLiteral("Version %1.%2.%3").arg(HOPNIX_VERSION_MAJOR).arg(HOPNIX_VERSION_MINOR).arg(HOPNIX_VERSION_PATCH);
}
} // namespace AppInfo
