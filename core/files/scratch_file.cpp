#include "core/files/scratch_file.h"

#include <QFile>

#include <fcntl.h>
#include <sys/mman.h>

FileDescriptor ScratchFile::create(const QString& directory, qint64 size)
{
    FileDescriptor file(::open(QFile::encodeName(directory).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (file.isOpen() && posix_fallocate(file.get(), 0, static_cast<off_t>(size)) == 0)
        return file;
    return FileDescriptor(memfd_create("hopnix-scratch", MFD_CLOEXEC));
}
