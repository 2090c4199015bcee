#include "core/scores/score_store.h"

#include "core/files/safe_file_reader.h"
#include "core/files/safe_file_writer.h"
#include "core/scores/score_file.h"
#include "core/scores/score_merge.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryFile>

#include <utility>

namespace {

// Another game saving the same file holds its lock for a few milliseconds.
constexpr int LockTimeoutMs = 2000;

bool failedSave(const QString& path, const QString& why)
{
    qWarning("Cannot save the high scores to %s: %s", qPrintable(path), qPrintable(why));
    return false;
}

} // namespace

ScoreStore::ScoreStore(QString programDir, QString userDataDir, const DirWritable& dirWritable)
    : programDir_(std::move(programDir))
    , userDataDir_(std::move(userDataDir))
    , programDirWritable_(dirWritable(programDir_))
{
}

std::size_t ScoreStore::index(int boardNumber)
{
    Q_ASSERT(boardNumber >= 1 && boardNumber <= Boards);
    return static_cast<std::size_t>(boardNumber - 1);
}

QString ScoreStore::fileName(int boardNumber)
{
    static const std::array<QString, Boards> names = {
        QStringLiteral("Cahs.hsl"), QStringLiteral("E1hs.hsl"), QStringLiteral("E2hs.hsl"),
        QStringLiteral("S7hs.hsl"), QStringLiteral("S6hs.hsl")};
    return names[index(boardNumber)];
}

bool ScoreStore::canCreateFileIn(const QString& dir)
{
    if (!QFileInfo(dir).isDir())
        return false;
    QTemporaryFile probe(dir + QStringLiteral("/.hopnix-write-test-XXXXXX"));
    return probe.open();
}

QString ScoreStore::savePath(int boardNumber) const
{
    return (programDirWritable_ ? programDir_ : userDataDir_) + QLatin1Char('/') + fileName(boardNumber);
}

QString ScoreStore::loadPath(int boardNumber) const
{
    const QString own = savePath(boardNumber);
    if (programDirWritable_ || QFileInfo(own).isFile())
        return own;
    return programDir_ + QLatin1Char('/') + fileName(boardNumber);
}

void ScoreStore::loadScoreTable(int boardNumber)
{
    const QString path = loadPath(boardNumber);
    const SafeFileReader::Result file = SafeFileReader::read(path, ScoreFile::MaxBytes);
    if (file.status == SafeFileReader::Status::Unreadable)
        qWarning("Cannot read the high scores in %s", qPrintable(path));
    // A file past the limit comes with one byte more, which tells the reader where it was cut.
    table(boardNumber) = ScoreFile::read(file.bytes);
}


bool ScoreStore::saveScoreTable(int boardNumber)
{
    const QString path = savePath(boardNumber);
    if (!programDirWritable_ && !QDir().mkpath(userDataDir_))
        return failedSave(path, QStringLiteral("cannot create ") + userDataDir_);
    QString why;
    const std::optional<QString> target = SafeFileWriter::target(path, why);
    if (!target)
        return failedSave(path, why);
    // Another game in the same place saves under the same lock and may have saved since this one loaded:
    // its results are merged in, so neither game writes over the other's.
    const QString lockPath = *target + QStringLiteral(".lock");
    QLockFile lock(lockPath);
    if (!lock.tryLock(LockTimeoutMs))
        return failedSave(path, QStringLiteral("cannot lock ") + lockPath);
    const SafeFileReader::Result onDisk = SafeFileReader::read(*target, ScoreFile::MaxBytes);
    // Results that cannot be read cannot be merged, and are not written over either.
    if (onDisk.status == SafeFileReader::Status::Unreadable)
        return failedSave(path, QStringLiteral("cannot read what it holds now"));
    HighScoreTable& merged = table(boardNumber);
    merged = ScoreMerge::merge(merged, ScoreFile::read(onDisk.bytes));
    if (!SafeFileWriter::write(*target, ScoreFile::write(merged), why))
        return failedSave(path, why);
    SafeFileWriter::removeLeftovers(*target);
    return true;
}
