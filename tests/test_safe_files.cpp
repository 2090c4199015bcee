#include "core/files/safe_file_reader.h"
#include "core/files/safe_file_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using Status = SafeFileReader::Status;

Q_DECLARE_METATYPE(Status)

namespace {

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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
        QTest::newRow("no cap left") << "abc" << qint64{0} << Status::TooBig << QByteArray("a");
        QTest::newRow("empty") << "empty" << qint64{0} << Status::Ok << QByteArray();
        QTest::newRow("through two links") << "link-to-link" << qint64{10} << Status::Ok << QByteArray("abc");
        QTest::newRow("missing") << "missing" << qint64{10} << Status::Missing << QByteArray();
        QTest::newRow("below a file") << "abc/x" << qint64{10} << Status::Missing << QByteArray();
        QTest::newRow("link to nothing") << "link-to-nothing" << qint64{10} << Status::Missing << QByteArray();
        QTest::newRow("link to a directory") << "link-to-dir" << qint64{10} << Status::NotRegular << QByteArray();
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

    void procFilesAreReadByWhatTheyHold()
    {
        // Files of /proc claim to be empty; the size is only a hint for the first buffer.
        const SafeFileReader::Result status = SafeFileReader::read(QStringLiteral("/proc/self/status"), 1 << 20);
        QCOMPARE(status.status, Status::Ok);
        QVERIFY(status.bytes.startsWith("Name:") && status.bytes.endsWith('\n'));
        // A regular file whose reading fails, even for root: memory at address 0 cannot be read.
        QCOMPARE(SafeFileReader::read(QStringLiteral("/proc/self/mem"), 10).status, Status::Unreadable);
    }

    void savesOnlyInPlaceOfARegularFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("target");
        QTest::newRow("new file") << "new" << "new";
        // Saved through to the file, so the link stays a link.
        QTest::newRow("link to a link") << "link-to-link" << "abc";
        // Refused: a save would replace the node itself, or whatever the link leads to.
        QTest::newRow("link to /dev/zero") << "link-to-zero" << "";
        QTest::newRow("link to nothing") << "link-to-nothing" << "";
        QTest::newRow("link to a directory") << "link-to-dir" << "";
        QTest::newRow("pipe") << "fifo" << "";
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
