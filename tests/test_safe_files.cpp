#include "core/files/safe_file_reader.h"
#include "core/files/safe_file_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using Status = SafeFileReader::Status;

Q_DECLARE_METATYPE(Status)

namespace {

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Reads on a thread of its own. A reader that waits on a pipe is released by opening the pipe for
// writing, so a hang fails the test instead of stalling it.
std::optional<SafeFileReader::Result> readWithDeadline(const QString& path, qint64 cap, const QString& pipe)
{
    std::packaged_task<SafeFileReader::Result()> task([&] { return SafeFileReader::read(path, cap); });
    std::future<SafeFileReader::Result> result = task.get_future();
    std::thread reader(std::move(task));
    const bool inTime = result.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    if (!inTime) {
        const int fd = ::open(qPrintable(pipe), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    }
    reader.join();
    if (!inTime)
        return std::nullopt;
    return result.get();
}

} // namespace

class TestSafeFiles : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;

    QString path(const char* name) const { return dir_.filePath(QLatin1String(name)); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(writeAll(path("abc"), "abc"));
        QVERIFY(writeAll(path("empty"), ""));
        QVERIFY(QDir().mkpath(path("dir")));
        QCOMPARE(::mkfifo(qPrintable(path("fifo")), 0600), 0);
        QVERIFY(QFile::link("abc", path("link-to-abc")));
        QVERIFY(QFile::link("link-to-abc", path("link-to-link")));
        QVERIFY(QFile::link("fifo", path("link-to-fifo")));
        QVERIFY(QFile::link("dir", path("link-to-dir")));
        QVERIFY(QFile::link("/dev/zero", path("link-to-zero")));
        QVERIFY(QFile::link("nothing", path("link-to-nothing")));
    }

    void readsRegularFilesUpToTheCap_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("cap");
        QTest::addColumn<Status>("status");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("whole") << "abc" << qint64{3} << Status::Ok << QByteArray("abc");
        // Past the cap the reader says so, with one byte more than the cap to show where it was cut.
        QTest::newRow("one byte over") << "abc" << qint64{2} << Status::TooBig << QByteArray("abc");
        QTest::newRow("far over") << "abc" << qint64{1} << Status::TooBig << QByteArray("ab");
        QTest::newRow("no cap left") << "abc" << qint64{0} << Status::TooBig << QByteArray("a");
        QTest::newRow("empty") << "empty" << qint64{0} << Status::Ok << QByteArray();
        QTest::newRow("through a link") << "link-to-abc" << qint64{10} << Status::Ok << QByteArray("abc");
        QTest::newRow("through two links") << "link-to-link" << qint64{10} << Status::Ok << QByteArray("abc");
        QTest::newRow("missing") << "missing" << qint64{10} << Status::Missing << QByteArray();
        QTest::newRow("below a file") << "abc/x" << qint64{10} << Status::Missing << QByteArray();
        QTest::newRow("link to nothing") << "link-to-nothing" << qint64{10} << Status::Missing << QByteArray();
        QTest::newRow("directory") << "dir" << qint64{10} << Status::NotRegular << QByteArray();
        QTest::newRow("link to a directory") << "link-to-dir" << qint64{10} << Status::NotRegular << QByteArray();
        // A device never ends and reports no size: it is not read at all.
        QTest::newRow("link to /dev/zero") << "link-to-zero" << qint64{10} << Status::NotRegular << QByteArray();
    }
    void readsRegularFilesUpToTheCap()
    {
        QFETCH(QString, name);
        QFETCH(qint64, cap);
        QFETCH(Status, status);
        QFETCH(QByteArray, bytes);
        const SafeFileReader::Result result = SafeFileReader::read(dir_.filePath(name), cap);
        QCOMPARE(result.status, status);
        QCOMPARE(result.bytes, bytes);
    }

    void filesWithoutASizeAreReadWhole()
    {
        // Files of /proc claim to be empty; the size is only a hint for the first buffer.
        const SafeFileReader::Result status = SafeFileReader::read(QStringLiteral("/proc/self/status"), 1 << 20);
        QCOMPARE(status.status, Status::Ok);
        QVERIFY(status.bytes.startsWith("Name:"));
        QVERIFY(status.bytes.endsWith('\n'));
    }

    void pipesNeverBlock_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("pipe") << "fifo";
        QTest::newRow("link to a pipe") << "link-to-fifo";
    }
    void pipesNeverBlock()
    {
        QFETCH(QString, name);
        const std::optional<SafeFileReader::Result> result = readWithDeadline(dir_.filePath(name), 10, path("fifo"));
        QVERIFY2(result, "the reader waited for a writer");
        QCOMPARE(result->status, Status::NotRegular);
    }

    void unreadableFiles()
    {
        QVERIFY(writeAll(path("secret"), "x"));
        QVERIFY(QFile::setPermissions(path("secret"), QFile::WriteOwner));
        if (QFile(path("secret")).open(QIODevice::ReadOnly))
            QSKIP("permissions do not stop reading here (running as root)");
        QCOMPARE(SafeFileReader::read(path("secret"), 10).status, Status::Unreadable);
    }

    void savesOnlyInPlaceOfARegularFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("target");
        QTest::newRow("new file") << "new" << "new";
        QTest::newRow("regular file") << "abc" << "abc";
        // Saved through to the file, so the link stays a link.
        QTest::newRow("link to a file") << "link-to-abc" << "abc";
        QTest::newRow("link to a link") << "link-to-link" << "abc";
        // Refused: a save would replace the node itself, or whatever the link leads to.
        QTest::newRow("link to /dev/zero") << "link-to-zero" << "";
        QTest::newRow("link to a pipe") << "link-to-fifo" << "";
        QTest::newRow("link to nothing") << "link-to-nothing" << "";
        QTest::newRow("link to a directory") << "link-to-dir" << "";
        QTest::newRow("pipe") << "fifo" << "";
        QTest::newRow("directory") << "dir" << "";
        QTest::newRow("below a file") << "abc/x" << "";
    }
    void savesOnlyInPlaceOfARegularFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, target);
        QString why;
        const std::optional<QString> found = SafeFileWriter::target(dir_.filePath(name), why);
        if (target.isEmpty()) {
            QVERIFY(!found);
            QVERIFY(!why.isEmpty());
        } else {
            QVERIFY(found);
            const QString expected = dir_.filePath(target);
            QVERIFY2(*found == expected || *found == QFileInfo(expected).canonicalFilePath(), qPrintable(*found));
            QVERIFY(!QFileInfo(*found).isSymLink());
        }
    }

    void writesWholeOrNotAtAll()
    {
        QString why;
        QVERIFY(SafeFileWriter::write(path("written"), "first", why));
        QVERIFY(SafeFileWriter::write(path("written"), "second", why));
        QCOMPARE(SafeFileReader::read(path("written"), 100).bytes, QByteArray("second"));
        // A directory that does not exist takes no file; nothing is left behind.
        QVERIFY(!SafeFileWriter::write(path("nowhere/written"), "x", why));
        QVERIFY(!why.isEmpty());
        QVERIFY(!QFileInfo::exists(path("nowhere")));
    }
};

QTEST_GUILESS_MAIN(TestSafeFiles)
#include "test_safe_files.moc"
