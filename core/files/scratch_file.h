#pragma once

#include "core/files/file_descriptor.h"

#include <QString>

// A file without a name for data the game makes, keeps for a while and needs nobody else to see: it lives in
// the page cache, which the kernel may write out and drop, rather than in the game's own memory, and it is gone
// with its descriptor, even after a crash. Where `directory` cannot hold such a file (no such folder, a file
// system without unnamed files), an anonymous memory file stands in.
class ScratchFile {
public:
    static FileDescriptor create(const QString& directory);
};
