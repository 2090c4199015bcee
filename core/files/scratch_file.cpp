#include "core/files/scratch_file.h"

#include <QFile>

#include <fcntl.h>
#include <sys/mman.h>

FileDescriptor ScratchFile::create(const QString& directory)
{
    FileDescriptor file(::open(QFile::encodeName(directory).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (file.isOpen())
        return file;
    return FileDescriptor(memfd_create("hopnix-scratch", MFD_CLOEXEC));
}
