#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Reads a small file the game depends on without ever waiting or running away: only a regular file
// (after following links) is opened, the open does not wait for a writer, and at most cap + 1 bytes are read.
// A pipe, a device or a directory in a file's place is refused before anything is read from it.
class SafeFileReader {
public:
    enum class Status { Ok, Missing, NotRegular, Unreadable, TooBig };

    struct Result {
        Status status = Status::Missing;
        // Ok: the whole file. TooBig: its first cap + 1 bytes, so a reader can see where it was cut.
        QByteArray bytes;

        bool ok() const { return status == Status::Ok; }
    };

    static Result read(const QString& path, qint64 cap);
};
