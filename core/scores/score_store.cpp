#include "core/scores/score_store.h"

#include "core/scores/score_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <utility>

ScoreStore::ScoreStore(QString programDir, QString userDataDir)
    : programDir_(std::move(programDir))
    , userDataDir_(std::move(userDataDir))
    , programDirWritable_(canCreateFileIn(programDir_))
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

void ScoreStore::LoadScoreTable(int boardNumber)
{
    HighScoreTable& loaded = table(boardNumber);
    loaded = {};
    const QString path = loadPath(boardNumber);
    if (!QFileInfo(path).isFile())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Cannot read the high scores in %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return;
    }
    // One byte past the limit tells the reader the file was cut.
    loaded = ScoreFile::read(file.read(ScoreFile::MaxBytes + 1));
}

bool ScoreStore::SaveScoreTable(int boardNumber)
{
    const QString path = savePath(boardNumber);
    if (!programDirWritable_ && !QDir().mkpath(userDataDir_)) {
        qWarning("Cannot save the high scores: cannot create %s", qPrintable(userDataDir_));
        return false;
    }
    QSaveFile file(path);
    const QByteArray text = ScoreFile::write(table(boardNumber));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        qWarning("Cannot save the high scores to %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}
