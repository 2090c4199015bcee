#include "core/files/safe_file_reader.h"
#include "core/files/safe_file_writer.h"
#include "core/files/scratch_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using Status = SafeFileReader::Status;

namespace {

// Where an open descriptor's file is, as the kernel names it.
QString placeOf(const FileDescriptor& file)
{
    return QFile::symLinkTarget(QStringLiteral("/proc/self/fd/%1").arg(file.get()));
}

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
        QVERIFY(writeAll(path("abc"), "abc") && writeAll(path("empty"), "") && QDir().mkpath(path("dir")));
        QCOMPARE(::mkfifo(qPrintable(path("fifo")), 0600), 0);
        QVERIFY(QFile::link("abc", path("link-to-abc")) && QFile::link("link-to-abc", path("link-to-link")));
        QVERIFY(QFile::link("dir", path("link-to-dir")) && QFile::link("/dev/zero", path("link-to-zero")));
        QVERIFY(QFile::link("nothing", path("link-to-nothing")));
    }

    void scratchFilesHaveNoNameAndFallBackToMemory()
    {
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        const FileDescriptor onDisk = ScratchFile::create(scratch.path(), 65536);
        QVERIFY2(placeOf(onDisk).startsWith(scratch.path()), qPrintable(placeOf(onDisk)));
        QVERIFY(QDir(scratch.path()).isEmpty());
        // No such folder, or no room for what is asked: memory holds the data instead, and it works the same.
        const FileDescriptor noFolder = ScratchFile::create(scratch.filePath("missing"), 65536);
        const FileDescriptor noRoom = ScratchFile::create(scratch.path(), qint64(1) << 60);
        for (const FileDescriptor* file : {&onDisk, &noFolder, &noRoom}) {
            QVERIFY(file->isOpen());
            QVERIFY(FileDescriptor::writeAllAt(file->get(), 1000, "frames", 6));
            char back[6] = {};
            QCOMPARE(FileDescriptor::readAt(file->get(), 1000, back, 6), 6);
            QCOMPARE(QByteArray(back, 6), QByteArray("frames"));
        }
        QVERIFY2(placeOf(noFolder).startsWith("/memfd:"), qPrintable(placeOf(noFolder)));
        QVERIFY2(placeOf(noRoom).startsWith("/memfd:"), qPrintable(placeOf(noRoom)));
        QVERIFY(QDir(scratch.path()).isEmpty());
    }

    void readsRegularFilesUpToTheCap()
    {
        // The name, the cap, and what comes back. Past the cap the reader says so, with one byte more
        // than the cap to show where it was cut.
        const std::vector<std::tuple<QString, qint64, Status, QByteArray>> cases{
            {"abc", 3, Status::Ok, "abc"}, {"abc", 2, Status::TooBig, "abc"}, {"abc", 0, Status::TooBig, "a"},
            {"empty", 0, Status::Ok, ""}, {"link-to-link", 10, Status::Ok, "abc"}, {"missing", 10, Status::Missing, ""},
            {"abc/x", 10, Status::Missing, ""}, {"link-to-nothing", 10, Status::Missing, ""},
            {"link-to-dir", 10, Status::NotRegular, ""}};
        for (const auto& [name, cap, status, bytes] : cases) {
            const SafeFileReader::Result result = SafeFileReader::read(dir_.filePath(name), cap);
            QVERIFY2(result.status == status && result.bytes == bytes, qPrintable(name));
        }
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

    void savesOnlyInPlaceOfARegularFile()
    {
        // Saved through a link to the file, so the link stays a link.
        for (const auto& [name, target] : {std::pair{"new", "new"}, {"link-to-link", "abc"}}) {
            QString why;
            const std::optional<QString> found = SafeFileWriter::target(path(name), why);
            QVERIFY(found);
            QVERIFY2(*found == path(target) || *found == QFileInfo(path(target)).canonicalFilePath(), qPrintable(*found));
            QVERIFY(!QFileInfo(*found).isSymLink());
        }
        // Refused: a save would replace the node itself, or whatever the link leads to.
        for (const char* name : {"link-to-zero", "link-to-nothing", "link-to-dir", "fifo", "abc/x"}) {
            QString why;
            QVERIFY2(!SafeFileWriter::target(path(name), why) && !why.isEmpty(), name);
        }
    }

    // Replacing a file whole is the score store's test; a directory that does not exist takes no file, and
    // none is made.
    void aFailedWriteSaysWhyAndMakesNothing()
    {
        QString why;
        QVERIFY(!SafeFileWriter::write(path("nowhere/written"), "x", why) && !why.isEmpty());
        QVERIFY(!QFileInfo::exists(path("nowhere")));
    }
};

QTEST_GUILESS_MAIN(TestSafeFiles)
#include "test_safe_files.moc"
