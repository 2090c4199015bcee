#include "core/scores/score_file.h"
#include "core/scores/score_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray AnnaRecord = "Anna\r\n 1 \r\n 1.15740740740741E-03 \r\n";
const HighScoreEntry Bo{QStringLiteral("Bo"), 0, 0.5};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList entries(const QString& dir)
{
    QStringList names = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

QStringList namesOf(const HighScoreTable& table)
{
    QStringList names;
    for (int i = 1; i <= table.count(); ++i)
        names.append(table.nameAt(i));
    return names;
}

// Run as a child process of the test: one game's end, saving Bo on Square 6x6 in the given directory.
// Exit code 0: saved; 3: not saved, but the table still holds Bo; anything else: Bo is lost.
int saveBoInChild(const QString& dir)
{
    ScoreStore store(dir, dir + QStringLiteral("/user"));
    store.loadScoreTable(5);
    store.table(5).insertHighScore(1, Bo);
    if (store.saveScoreTable(5))
        return 0;
    return store.table(5).entry(1) == Bo ? 3 : 4;
}

struct ChildResult {
    int exitCode = -1;
    QByteArray errors;
};

ChildResult saveBoInChildProcess(const QString& dir, const std::function<void()>& limit = {})
{
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QStringLiteral("--save-bo"), dir});
    if (limit)
        child.setChildProcessModifier(limit);
    child.start();
    if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit)
        return {};
    return {child.exitCode(), child.readAllStandardError()};
}

} // namespace

class TestScoreStore : public QObject {
    Q_OBJECT
private:
    QTemporaryDir root_;
    QString programDir_;
    QString userDir_;

private Q_SLOTS:
    void init()
    {
        const QString test = QString::fromLatin1(QTest::currentTestFunction());
        programDir_ = root_.filePath(QStringLiteral("program-") + test);
        userDir_ = root_.filePath(QStringLiteral("user-%1/hopnix").arg(test));
        QVERIFY(QDir().mkpath(programDir_));
    }

    void twoGamesSavingInTurnKeepBothResults()
    {
        ScoreStore first(programDir_, userDir_);
        ScoreStore second(programDir_, userDir_);
        first.table(5).insertHighScore(1, {QStringLiteral("AAAA"), 3, 0.5});
        QVERIFY(first.saveScoreTable(5));
        // The second game still holds the empty table it loaded.
        second.table(5).insertHighScore(1, {QStringLiteral("BBBB"), 2, 0.5});
        QVERIFY(second.saveScoreTable(5));
        first.table(5).insertHighScore(2, {QStringLiteral("CCCC"), 4, 0.5});
        QVERIFY(first.saveScoreTable(5));
        // The merged table is what the game now shows, and what the file holds: each result once.
        QCOMPARE(namesOf(first.table(5)), QStringList({"BBBB", "AAAA", "CCCC"}));
        QCOMPARE(readAll(programDir_ + "/S6hs.hsl"), ScoreFile::write(first.table(5)));
        // Beside a program in a writable directory, the player's own directory is never made.
        QVERIFY(!QFileInfo::exists(userDir_));
    }

    void savesThroughALinkToARegularFileOnly()
    {
        QVERIFY(writeAll(programDir_ + "/scores.txt", AnnaRecord));
        QVERIFY(QFile::link("scores.txt", programDir_ + "/S6hs.hsl"));
        ScoreStore store(programDir_, userDir_);
        store.table(5).append(Bo);
        QVERIFY(store.saveScoreTable(5) && QFileInfo(programDir_ + "/S6hs.hsl").isSymLink());
        QCOMPARE(readAll(programDir_ + "/scores.txt"), ScoreFile::record(Bo) + AnnaRecord);

        // A link to anything else is refused: the save would replace the node it leads to.
        QCOMPARE(::mkfifo(qPrintable(programDir_ + "/fifo"), 0600), 0);
        QVERIFY(QFile::link("fifo", programDir_ + "/S7hs.hsl"));
        const QStringList before = entries(programDir_);
        store.table(4).append(Bo);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Cannot save the high scores to .*S7hs.hsl: "));
        QVERIFY(!store.saveScoreTable(4));
        QCOMPARE(entries(programDir_), before);
        QVERIFY(!QFileInfo(programDir_ + "/fifo").isFile());
        QCOMPARE(store.table(4).entry(1), Bo);
    }

    void neverSavesOverResultsItCannotRead()
    {
        const QString path = programDir_ + "/S6hs.hsl";
        QVERIFY(writeAll(path, AnnaRecord) && QFile::setPermissions(path, QFile::WriteOwner));
        // Root reads any file: the save then runs as nobody, owning the file, in a directory anybody may write to.
        QVERIFY(::chmod(qPrintable(root_.path()), 0755) == 0 && ::chmod(qPrintable(programDir_), 0777) == 0);
        QVERIFY(::geteuid() != 0 || ::chown(qPrintable(path), 65534, 65534) == 0);
        const ChildResult child = saveBoInChildProcess(programDir_, [] {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(5);
        });
        QCOMPARE(child.exitCode, 3);
        QVERIFY2(child.errors.contains("cannot read what it holds now"), child.errors.constData());
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(readAll(path), AnnaRecord);
    }

    void removesWhatKilledSavesLeftBehind()
    {
        // The first two are named as a save killed just before its rename leaves them; the others, and
        // anything but a regular file, are not ours.
        for (const char* name : {"S6hs.hsl.XPsmVe", "S6hs.hsl.a1B2c3", "E1hs.hsl.XPsmVe", "S6hs.hsl.bak", "S6hs.hsl.XPsmVe7"})
            QVERIFY(writeAll(programDir_ + "/" + name, "x"));
        QCOMPARE(::mkfifo(qPrintable(programDir_ + "/S6hs.hsl.Fifo12"), 0600), 0);
        QVERIFY(QDir().mkpath(programDir_ + "/S6hs.hsl.Dir123"));
        ScoreStore store(programDir_, userDir_);
        store.table(5).append(Bo);
        QVERIFY(store.saveScoreTable(5));
        QCOMPARE(entries(programDir_), QStringList({"E1hs.hsl.XPsmVe", "S6hs.hsl", "S6hs.hsl.Dir123", "S6hs.hsl.Fifo12",
                                                     "S6hs.hsl.XPsmVe7", "S6hs.hsl.bak"}));
    }

    void fullDiskLeavesTheOldFile()
    {
        // Long names make a table far larger than the limit, which still leaves room for the lock.
        HighScoreTable old;
        for (int i = 1; i <= HighScoreTable::Slots; ++i)
            old.append({QString(200, QChar(u'a' + i)), static_cast<qint16>(i), 0.5});
        const QByteArray oldText = ScoreFile::write(old);
        QVERIFY(writeAll(programDir_ + "/S6hs.hsl", oldText));
        const QStringList before = entries(programDir_);

        // The child's writes past the limit fail as on a full disk (EFBIG instead of ENOSPC).
        const ChildResult full = saveBoInChildProcess(programDir_, [] {
            const rlimit limit{512, 512};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::signal(SIGXFSZ, SIG_IGN);
        });
        QCOMPARE(full.exitCode, 3);
        QCOMPARE(full.errors.count('\n'), 1);
        QVERIFY2(full.errors.startsWith("Cannot save the high scores to "), full.errors.constData());
        QCOMPARE(readAll(programDir_ + "/S6hs.hsl"), oldText);
        QCOMPARE(entries(programDir_), before);

        // With room again, the same save goes through.
        QCOMPARE(saveBoInChildProcess(programDir_).exitCode, 0);
        QVERIFY(readAll(programDir_ + "/S6hs.hsl").startsWith(ScoreFile::record(Bo)));
    }

    void unwritableProgramDirSavesForThePlayer()
    {
        QVERIFY(writeAll(programDir_ + "/E1hs.hsl", AnnaRecord));
        const auto installed = [](const QString&) { return false; };
        ScoreStore store(programDir_, userDir_, installed);
        // The file beside the program is read until the player has one of their own, which then wins.
        store.loadScoreTable(2);
        QCOMPARE(store.table(2).count(), 1);
        store.table(2).insertHighScore(1, Bo);
        QVERIFY(store.saveScoreTable(2));
        QCOMPARE(readAll(programDir_ + "/E1hs.hsl"), AnnaRecord);
        ScoreStore again(programDir_, userDir_, installed);
        again.loadScoreTable(2);
        QCOMPARE(namesOf(again.table(2)), QStringList({"Bo", "Anna"}));
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--save-bo") == 0)
        return saveBoInChild(QString::fromLocal8Bit(argv[2]));
    TestScoreStore test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_score_store.moc"
