#pragma once

#include "core/files/file_descriptor.h"

#include <QString>
#include <QtGlobal>

// A file without a name for data the game makes, keeps for a while and needs nobody else to see: it lives in
// the page cache, which the kernel may write out and drop, rather than in the game's own memory, and it is gone
// with its descriptor, even after a crash. `size` bytes are reserved at once, so a full disk shows now and not
// halfway through. Where `directory` cannot hold such a file (no such folder, a file system without unnamed
// files, no room), an anonymous memory file stands in.
class ScratchFile {
public:
    static FileDescriptor create(const QString& directory, qint64 size);
};
