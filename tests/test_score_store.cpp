#include "core/scores/score_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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
        programDir_ = root_.filePath(QStringLiteral("program-%1").arg(QTest::currentTestFunction()));
        userDir_ = root_.filePath(QStringLiteral("user-%1/hopnix").arg(QTest::currentTestFunction()));
        QVERIFY(QDir().mkpath(programDir_));
    }

    void savesAndLoadsBesideTheProgram()
    {
        QVERIFY(writeAll(programDir_ + "/S7hs.hsl", AnnaRecord.repeated(5)));
        ScoreStore store(programDir_, userDir_);
        QVERIFY(store.programDirWritable());
        for (int board = 1; board <= ScoreStore::Boards; ++board)
            store.LoadScoreTable(board);
        QCOMPARE(store.Square7Scores().Count(), 5);
        QCOMPARE(store.ClassicScores(), HighScoreTable());

        store.Square6Scores().insertHighScore(1, Anna);
        QVERIFY(store.SaveScoreTable(5));
        QCOMPARE(readAll(programDir_ + "/S6hs.hsl"), AnnaRecord);
        // A save replaces the whole file.
        store.Square7Scores() = {};
        store.Square7Scores().append(Anna);
        QVERIFY(store.SaveScoreTable(4));
        QCOMPARE(readAll(programDir_ + "/S7hs.hsl"), AnnaRecord);
        QCOMPARE(QDir(programDir_).entryList(QDir::Files | QDir::Hidden), QStringList({"S6hs.hsl", "S7hs.hsl"}));
        QVERIFY(!QFileInfo::exists(userDir_));
    }

    void unwritableProgramDirSavesForThePlayer()
    {
        // A path below a regular file cannot take files, not even for root.
        const QString programFile = programDir_ + "/hopnix";
        QVERIFY(writeAll(programFile, "a program"));
        ScoreStore store(programFile, userDir_);
        QVERIFY(!store.programDirWritable());
        store.ClassicScores().append(Anna);
        QVERIFY(store.SaveScoreTable(1));
        QCOMPARE(readAll(userDir_ + "/Cahs.hsl"), AnnaRecord);
        ScoreStore again(programFile, userDir_);
        again.LoadScoreTable(1);
        QCOMPARE(again.ClassicScores().Count(), 1);
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
        store.LoadScoreTable(2);
        QCOMPARE(store.Euro1Scores().Count(), 1);

        // Once the player has a file of their own, it wins.
        store.Euro1Scores().insertHighScore(1, {QStringLiteral("Bo"), 0, 0.5});
        QVERIFY(store.SaveScoreTable(2));
        QCOMPARE(readAll(programDir_ + "/E1hs.hsl"), AnnaRecord);
        ScoreStore again(programDir_, userDir_);
        again.LoadScoreTable(2);
        QCOMPARE(again.Euro1Scores().Names(1), QStringLiteral("Bo"));
    }

    void failedSavesAreReported()
    {
        // The user directory cannot be made below a regular file.
        QVERIFY(writeAll(programDir_ + "/hopnix", "a program"));
        ScoreStore store(programDir_ + "/hopnix", programDir_ + "/hopnix/data");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Cannot save the high scores"));
        QVERIFY(!store.SaveScoreTable(3));

        // A directory stands where the file should go: nothing is half-written beside it.
        QVERIFY(QDir().mkpath(programDir_ + "/E2hs.hsl"));
        ScoreStore besides(programDir_, userDir_);
        besides.Euro2Scores().append(Anna);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Cannot save the high scores"));
        QVERIFY(!besides.SaveScoreTable(3));
        QCOMPARE(QDir(programDir_).entryList(QDir::Files | QDir::Hidden), QStringList({"hopnix"}));
    }

    void oddFilesLoadEmpty()
    {
        // A directory or a pipe in the file's place must neither crash nor block.
        QVERIFY(QDir().mkpath(programDir_ + "/Cahs.hsl"));
        QCOMPARE(::mkfifo(qPrintable(programDir_ + "/E1hs.hsl"), 0600), 0);
        QVERIFY(writeAll(programDir_ + "/E2hs.hsl", AnnaRecord));
        QVERIFY(QFile::setPermissions(programDir_ + "/E2hs.hsl", QFile::WriteOwner));
        const bool readable = QFile(programDir_ + "/E2hs.hsl").open(QIODevice::ReadOnly);
        ScoreStore store(programDir_, userDir_);
        store.ClassicScores().append(Anna);
        store.LoadScoreTable(1);
        store.LoadScoreTable(2);
        QCOMPARE(store.ClassicScores(), HighScoreTable());
        QCOMPARE(store.Euro1Scores(), HighScoreTable());
        if (readable)
            QSKIP("permissions do not stop reading here (running as root)");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Cannot read the high scores"));
        store.LoadScoreTable(3);
        QCOMPARE(store.Euro2Scores(), HighScoreTable());
    }
};

QTEST_GUILESS_MAIN(TestScoreStore)
#include "test_score_store.moc"
