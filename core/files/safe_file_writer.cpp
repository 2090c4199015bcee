#include "core/files/safe_file_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace {

// QSaveFile writes next to the file, under its name and six random letters or digits.
constexpr int TempSuffixLength = 6;

} // namespace

std::optional<QString> SafeFileWriter::target(const QString& path, QString& why)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0) {
        if (errno == ENOENT)
            return path;
        why = QString::fromLocal8Bit(std::strerror(errno));
        return std::nullopt;
    }
    if (S_ISREG(info.st_mode))
        return path;
    if (!S_ISLNK(info.st_mode)) {
        why = QStringLiteral("it is not a regular file");
        return std::nullopt;
    }
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
        why = QStringLiteral("it is a link to something other than a regular file");
        return std::nullopt;
    }
    return QFileInfo(path).canonicalFilePath();
}

bool SafeFileWriter::write(const QString& target, const QByteArray& bytes, QString& why)
{
    QSaveFile file(target);
    // Unbuffered, so a full disk shows in the write itself and not in a flush whose failure is lost.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        why = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        why = file.errorString();
        file.cancelWriting();
        file.commit();
        return false;
    }
    if (!file.commit()) {
        why = file.errorString();
        return false;
    }
    return true;
}

void SafeFileWriter::removeLeftovers(const QString& target)
{
    const QFileInfo info(target);
    const QDir dir = info.dir();
    const QRegularExpression leftover(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{%1}").arg(TempSuffixLength)));
    const QString wildcard = info.fileName() + QLatin1Char('.') + QString(TempSuffixLength, QLatin1Char('?'));
    // Regular files only: a link or a pipe of that name was not made by a save.
    for (const QString& name : dir.entryList({wildcard}, QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        if (leftover.match(name).hasMatch())
            QFile::remove(dir.filePath(name));
    }
}
