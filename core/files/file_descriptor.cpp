#include "core/files/file_descriptor.h"

#include <cerrno>
#include <utility>

#include <unistd.h>

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        reset();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void FileDescriptor::reset()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool FileDescriptor::writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

QByteArray FileDescriptor::readAll(int fd, qint64 cap)
{
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || bytes.size() + got > cap)
            return got == 0 ? bytes : QByteArray();
        bytes.append(buffer, got);
    }
}

bool FileDescriptor::writeAllAt(int fd, qint64 offset, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, data, static_cast<size_t>(size), static_cast<off_t>(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        offset += written;
        size -= written;
    }
    return true;
}

qint64 FileDescriptor::readAt(int fd, qint64 offset, char* data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(fd, data + done, static_cast<size_t>(size - done), static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    return done;
}
