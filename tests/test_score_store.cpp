#include "core/scores/score_file.h"
#include "core/scores/score_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

const QByteArray AnnaRecord = "Anna\r\n 1 \r\n 1.15740740740741E-03 \r\n";
const HighScoreEntry Anna{QStringLiteral("Anna"), 1, 100.0 / 86400.0};

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

const HighScoreEntry Bo{QStringLiteral("Bo"), 0, 0.5};

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
        const QString test = QStringLiteral("%1-%2").arg(QTest::currentTestFunction(), QTest::currentDataTag());
        programDir_ = root_.filePath(QStringLiteral("program-%1").arg(test));
        userDir_ = root_.filePath(QStringLiteral("user-%1/hopnix").arg(test));
        QVERIFY(QDir().mkpath(programDir_));
    }

    void savesAndLoadsBesideTheProgram()
    {
        QVERIFY(writeAll(programDir_ + "/S7hs.hsl", AnnaRecord.repeated(5)));
        ScoreStore store(programDir_, userDir_);
        QVERIFY(store.programDirWritable());
        for (int board = 1; board <= ScoreStore::Boards; ++board)
            store.loadScoreTable(board);
        QCOMPARE(store.table(4).count(), 5);
        QCOMPARE(store.table(1), HighScoreTable());

        store.table(5).insertHighScore(1, Anna);
        QVERIFY(store.saveScoreTable(5));
        QCOMPARE(readAll(programDir_ + "/S6hs.hsl"), AnnaRecord);
        // Neither the temporary file nor the lock stays behind.
        QCOMPARE(entries(programDir_), QStringList({"S6hs.hsl", "S7hs.hsl"}));
        QVERIFY(!QFileInfo::exists(userDir_));
    }

    void twoGamesSavingInTurnKeepBothResults()
    {
        ScoreStore first(programDir_, userDir_);
        ScoreStore second(programDir_, userDir_);
        first.loadScoreTable(5);
        second.loadScoreTable(5);
        first.table(5).insertHighScore(1, {QStringLiteral("AAAA"), 3, 0.5});
        QVERIFY(first.saveScoreTable(5));
        // The second game still holds the empty table it loaded.
        second.table(5).insertHighScore(1, {QStringLiteral("BBBB"), 2, 0.5});
        QVERIFY(second.saveScoreTable(5));
        QCOMPARE(namesOf(second.table(5)), QStringList({"BBBB", "AAAA"}));
        first.table(5).insertHighScore(2, {QStringLiteral("CCCC"), 4, 0.5});
        QVERIFY(first.saveScoreTable(5));
        // The merged table is what the game now shows, and what the file holds: each result once.
        QCOMPARE(namesOf(first.table(5)), QStringList({"BBBB", "AAAA", "CCCC"}));
        QCOMPARE(readAll(programDir_ + "/S6hs.hsl"), ScoreFile::write(first.table(5)));
        QCOMPARE(entries(programDir_), QStringList({"S6hs.hsl"}));
    }

    void savesThroughALinkToARegularFile()
    {
        const QString elsewhere = programDir_ + "/elsewhere";
        QVERIFY(QDir().mkpath(elsewhere));
        QVERIFY(writeAll(elsewhere + "/scores.txt", AnnaRecord));
        QVERIFY(QFile::link("elsewhere/scores.txt", programDir_ + "/S6hs.hsl"));
        ScoreStore store(programDir_, userDir_);
        store.table(5).append(Bo);
        QVERIFY(store.saveScoreTable(5));
        QCOMPARE(QFileInfo(programDir_ + "/S6hs.hsl").symLinkTarget(), QFileInfo(elsewhere + "/scores.txt").absoluteFilePath());
        QCOMPARE(readAll(elsewhere + "/scores.txt"), ScoreFile::record(Bo) + AnnaRecord);
        QCOMPARE(entries(elsewhere), QStringList({"scores.txt"}));
    }

    void refusesToSaveOverAnythingButARegularFile_data()
    {
        // The other kinds of file are refused at a lower level, without a save to check.
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to a pipe") << "link to a pipe";
        QTest::newRow("link to a device") << "link to a device";
    }
    void refusesToSaveOverAnythingButARegularFile()
    {
        QFETCH(QString, kind);
        const QString path = programDir_ + "/S6hs.hsl";
        const QString node = programDir_ + "/node";
        if (kind == "link to a pipe") {
            QCOMPARE(::mkfifo(qPrintable(node), 0600), 0);
        } else if (::mknod(qPrintable(node), S_IFCHR | 0600, makedev(1, 5)) != 0) {
            // A node of our own for the zero device: a save that went through would replace only this copy.
            QSKIP("cannot make a device node here");
        }
        QVERIFY(QFile::link(node, path));
        const QStringList before = entries(programDir_);
        ScoreStore store(programDir_, userDir_);
        store.table(5).append(Bo);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Cannot save the high scores to .*S6hs.hsl: "));
        QVERIFY(!store.saveScoreTable(5));
        QCOMPARE(entries(programDir_), before);
        QFileInfo pathInfo(path);
        QFileInfo nodeInfo(node);
        QVERIFY(pathInfo.isSymLink());
        QVERIFY(!pathInfo.isFile() && !nodeInfo.isFile());
        QCOMPARE(store.table(5).entry(1), Bo);
    }

    void neverSavesOverResultsItCannotRead()
    {
        const QString path = programDir_ + "/S6hs.hsl";
        QVERIFY(writeAll(path, AnnaRecord));
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
        if (QFile(path).open(QIODevice::ReadOnly))
            QSKIP("permissions do not stop reading here (running as root)");
        ScoreStore store(programDir_, userDir_);
        store.table(5).append(Bo);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Cannot save the high scores to .*: cannot read"));
        QVERIFY(!store.saveScoreTable(5));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(readAll(path), AnnaRecord);
    }

    void removesWhatKilledSavesLeftBehind()
    {
        // Named as a save killed just before its rename leaves them.
        const QStringList leftovers({"S6hs.hsl.XPsmVe", "S6hs.hsl.a1B2c3"});
        const QStringList others({"E1hs.hsl.XPsmVe", "S6hs.hsl.bak", "S6hs.hsl.lock2", "S6hs.hsl.XPsmVe7"});
        for (const QString& name : leftovers + others)
            QVERIFY(writeAll(programDir_ + "/" + name, "x"));
        // Only regular files are taken for leftovers.
        QCOMPARE(::mkfifo(qPrintable(programDir_ + "/S6hs.hsl.Fifo12"), 0600), 0);
        QVERIFY(QFile::link("S6hs.hsl.bak", programDir_ + "/S6hs.hsl.Link12"));
        QVERIFY(QDir().mkpath(programDir_ + "/S6hs.hsl.Dir123"));
        const QStringList kept = entries(programDir_);

        ScoreStore store(programDir_, userDir_);
        store.table(5).append(Bo);
        QVERIFY(store.saveScoreTable(5));
        QStringList expected = kept;
        for (const QString& name : leftovers)
            expected.removeOne(name);
        expected.append("S6hs.hsl");
        expected.sort();
        QCOMPARE(entries(programDir_), expected);
    }

    void fullDiskLeavesTheOldFile_data()
    {
        QTest::addColumn<int>("fileSizeLimit");
        QTest::newRow("no room at all") << 0;
        QTest::newRow("room for the lock only") << 512;
    }
    void fullDiskLeavesTheOldFile()
    {
        QFETCH(int, fileSizeLimit);
        // Long names make a table far larger than the limit.
        HighScoreTable old;
        for (int i = 1; i <= HighScoreTable::Slots; ++i)
            old.append({QString(200, QChar(u'a' + i)), static_cast<qint16>(i), 0.5});
        const QByteArray oldText = ScoreFile::write(old);
        QVERIFY(writeAll(programDir_ + "/S6hs.hsl", oldText));
        const QStringList before = entries(programDir_);

        // The child's writes past the limit fail as on a full disk (EFBIG instead of ENOSPC).
        QProcess child;
        child.setProgram(QCoreApplication::applicationFilePath());
        child.setArguments({QStringLiteral("--save-bo"), programDir_});
        child.setChildProcessModifier([fileSizeLimit] {
            const rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::signal(SIGXFSZ, SIG_IGN);
        });
        child.start();
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        const QByteArray errors = child.readAllStandardError();
        QCOMPARE(child.exitCode(), 3);
        QCOMPARE(errors.count('\n'), 1);
        QVERIFY2(errors.startsWith("Cannot save the high scores to "), errors.constData());
        QCOMPARE(readAll(programDir_ + "/S6hs.hsl"), oldText);
        QCOMPARE(entries(programDir_), before);

        // With room again, the same save goes through.
        QProcess again;
        again.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--save-bo"), programDir_});
        QVERIFY(again.waitForFinished(60000));
        QCOMPARE(again.exitCode(), 0);
        QCOMPARE(readAll(programDir_ + "/S6hs.hsl").left(ScoreFile::record(Bo).size()), ScoreFile::record(Bo));
    }

    void unwritableProgramDirSavesForThePlayer()
    {
        // A path below a regular file cannot take files, not even for root.
        const QString programFile = programDir_ + "/hopnix";
        QVERIFY(writeAll(programFile, "a program"));
        ScoreStore store(programFile, userDir_);
        QVERIFY(!store.programDirWritable());
        store.table(1).append(Anna);
        QVERIFY(store.saveScoreTable(1));
        QCOMPARE(readAll(userDir_ + "/Cahs.hsl"), AnnaRecord);
        ScoreStore again(programFile, userDir_);
        again.loadScoreTable(1);
        QCOMPARE(again.table(1).count(), 1);
    }

    void readOnlyProgramDirStillLoadsItsFiles()
    {
        QVERIFY(writeAll(programDir_ + "/E1hs.hsl", AnnaRecord));
        QVERIFY(QFile::setPermissions(programDir_, QFile::ReadOwner | QFile::ExeOwner));
        const auto restore = qScopeGuard([this] {
            QFile::setPermissions(programDir_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        QFile probe(programDir_ + "/probe");
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("permissions do not stop writing here (running as root)");
        }
        ScoreStore store(programDir_, userDir_);
        store.loadScoreTable(2);
        QCOMPARE(store.table(2).count(), 1);

        // Once the player has a file of their own, it wins.
        store.table(2).insertHighScore(1, {QStringLiteral("Bo"), 0, 0.5});
        QVERIFY(store.saveScoreTable(2));
        QCOMPARE(readAll(programDir_ + "/E1hs.hsl"), AnnaRecord);
        ScoreStore again(programDir_, userDir_);
        again.loadScoreTable(2);
        QCOMPARE(again.table(2).nameAt(1), QStringLiteral("Bo"));
    }

    void failedSavesAreReported()
    {
        // The user directory cannot be made below a regular file.
        QVERIFY(writeAll(programDir_ + "/hopnix", "a program"));
        ScoreStore store(programDir_ + "/hopnix", programDir_ + "/hopnix/data");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Cannot save the high scores"));
        QVERIFY(!store.saveScoreTable(3));

        // A directory stands where the file should go: nothing is half-written beside it.
        QVERIFY(QDir().mkpath(programDir_ + "/E2hs.hsl"));
        ScoreStore besides(programDir_, userDir_);
        besides.table(3).append(Anna);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Cannot save the high scores"));
        QVERIFY(!besides.saveScoreTable(3));
        QCOMPARE(QDir(programDir_).entryList(QDir::Files | QDir::Hidden), QStringList({"hopnix"}));
    }

    void oddFilesLoadEmpty()
    {
        // A directory, a pipe or a device in the file's place must neither crash nor block.
        QVERIFY(QDir().mkpath(programDir_ + "/Cahs.hsl"));
        QCOMPARE(::mkfifo(qPrintable(programDir_ + "/E1hs.hsl"), 0600), 0);
        QVERIFY(QFile::link("/dev/zero", programDir_ + "/S7hs.hsl"));
        QCOMPARE(::mkfifo(qPrintable(programDir_ + "/fifo"), 0600), 0);
        QVERIFY(QFile::link("fifo", programDir_ + "/S6hs.hsl"));
        QVERIFY(writeAll(programDir_ + "/E2hs.hsl", AnnaRecord));
        QVERIFY(QFile::setPermissions(programDir_ + "/E2hs.hsl", QFile::WriteOwner));
        const bool readable = QFile(programDir_ + "/E2hs.hsl").open(QIODevice::ReadOnly);
        ScoreStore store(programDir_, userDir_);
        store.table(1).append(Anna);
        store.table(4).append(Anna);
        for (int board : {1, 2, 4, 5})
            store.loadScoreTable(board);
        QCOMPARE(store.table(1), HighScoreTable());
        QCOMPARE(store.table(2), HighScoreTable());
        QCOMPARE(store.table(4), HighScoreTable());
        QCOMPARE(store.table(5), HighScoreTable());
        if (readable)
            QSKIP("permissions do not stop reading here (running as root)");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Cannot read the high scores"));
        store.loadScoreTable(3);
        QCOMPARE(store.table(3), HighScoreTable());
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
