#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Saves a small file whole or not at all, and only ever in place of a regular file: a link to a regular file
// is saved through to that file, anything else in the way is refused. A failed save leaves the old file as it was.
class SafeFileWriter {
public:
    // The file a save to path replaces: path itself (existing or not), or the regular file a link there leads
    // to. None for a link to anything else, a dangling link or any other kind of file; `why` says which.
    static std::optional<QString> target(const QString& path, QString& why);
    // Writes bytes as the whole new content of target, as returned by target(). False, with the reason in
    // `why`, when any write, the flush or the final rename fails; the new content is then dropped.
    static bool write(const QString& target, const QByteArray& bytes, QString& why);
    // Removes what saves of target that never finished left beside it: regular files named like "name.Ab12Cd".
    // Call only while no other save of the same file can be under way.
    static void removeLeftovers(const QString& target);
};
