#pragma once

#include <QByteArray>
#include <QtGlobal>

// A POSIX file descriptor closed with its owner, with the whole-buffer reads and writes a pipe or a file needs.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    void reset();

    // Writes all of `data`, through interrupted and partial writes; false when the other end is gone.
    static bool writeAll(int fd, const char* data, qint64 size);
    // Everything up to the end of input; nothing when reading fails or more than `cap` bytes come.
    static QByteArray readAll(int fd, qint64 cap);
    // At `offset` of a file, leaving its position alone: all of `data`, or false.
    static bool writeAllAt(int fd, qint64 offset, const char* data, qint64 size);
    // Up to `size` bytes from `offset`; fewer at the end of the file or when reading fails.
    static qint64 readAt(int fd, qint64 offset, char* data, qint64 size);

private:
    int fd_ = -1;
};
