// Puts arbitrary bytes in a file, or a link, pipe or directory in its place, and reads it with a cap taken from
// the input: a regular file must come back whole or cut at cap + 1 bytes, anything else refused at once.
#include "core/files/safe_file_reader.h"

#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// A directory of this run's own, gone when the run ends.
struct Scratch {
    QString path = QDir::tempPath() + QStringLiteral("/hopnix-fuzz-%1").arg(::getpid());

    Scratch() { QDir().mkpath(path); }
    ~Scratch() { QDir(path).removeRecursively(); }
};

const QString& scratch()
{
    static const Scratch dir;
    return dir.path;
}

enum class Kind { File, Link, Pipe, Directory };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const auto kind = static_cast<Kind>(data[0] % 4);
    // Caps around the sizes the input can reach, up to a few times the first read's buffer.
    const qint64 cap = ((qint64{data[1]} << 16) | (qint64{data[2]} << 8) | data[3]) % (1 << 18);
    const QByteArray content(reinterpret_cast<const char*>(data + 4), static_cast<qsizetype>(size - 4));
    const QString file = scratch() + QStringLiteral("/file");
    const QString path = scratch() + QStringLiteral("/path");
    QFile::remove(path);
    QDir(path).removeRecursively();
    QFile out(file);
    require(out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(content) == content.size());
    out.close();
    switch (kind) {
    case Kind::File:
        require(QFile::copy(file, path));
        break;
    case Kind::Link:
        require(QFile::link(file, path));
        break;
    case Kind::Pipe:
        require(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        break;
    case Kind::Directory:
        require(QDir().mkpath(path));
        break;
    }

    const SafeFileReader::Result result = SafeFileReader::read(path, cap);
    if (kind == Kind::Pipe || kind == Kind::Directory) {
        require(result.status == SafeFileReader::Status::NotRegular && result.bytes.isEmpty());
    } else if (content.size() <= cap) {
        require(result.status == SafeFileReader::Status::Ok && result.bytes == content);
    } else {
        require(result.status == SafeFileReader::Status::TooBig && result.bytes == content.left(cap + 1));
    }
    return 0;
}
