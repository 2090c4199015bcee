#include "core/files/safe_file_reader.h"

#include <QFile>
#include <QScopeGuard>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Status = SafeFileReader::Status;

// The first buffer, grown as the file turns out larger than it claimed.
constexpr qint64 FirstChunk = 64 * 1024;

Status statusOfFailedOpen(int error)
{
    return error == ENOENT || error == ENOTDIR ? Status::Missing : Status::Unreadable;
}

// Reads up to limit bytes; false on a read error.
bool readUpTo(int fd, qint64 limit, qint64 sizeHint, QByteArray& bytes)
{
    bytes.resize(static_cast<qsizetype>(std::min(limit, std::max(sizeHint + 1, FirstChunk))));
    qint64 total = 0;
    while (total < limit) {
        if (total == bytes.size())
            bytes.resize(static_cast<qsizetype>(std::min(limit, total * 2)));
        const ssize_t got = ::read(fd, bytes.data() + total, static_cast<size_t>(bytes.size() - total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        total += got;
    }
    bytes.resize(static_cast<qsizetype>(total));
    return true;
}

} // namespace

SafeFileReader::Result SafeFileReader::read(const QString& path, qint64 cap)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return {statusOfFailedOpen(errno), {}};
    // Opening some devices has effects of its own, so they are refused before any open.
    if (!S_ISREG(info.st_mode))
        return {Status::NotRegular, {}};
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {statusOfFailedOpen(errno), {}};
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    // Something else may have taken the file's place since the look.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return {Status::NotRegular, {}};
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return {Status::Unreadable, {}};
    Result result;
    if (!readUpTo(fd, cap + 1, static_cast<qint64>(info.st_size), result.bytes))
        return {Status::Unreadable, {}};
    result.status = result.bytes.size() > cap ? Status::TooBig : Status::Ok;
    return result;
}
