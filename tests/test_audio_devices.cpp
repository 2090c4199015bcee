#include "audio/fluid_music_device.h"
#include "audio/qt_sound_player.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

#include <cstdio>
#include <unistd.h>

namespace {
QString asset(const char* name)
{
    return QStringLiteral(HOPNIX_SOURCE_DIR "/assets/") + QLatin1String(name);
}

QStringList messages;

void collect(QtMsgType, const QMessageLogContext&, const QString& text)
{
    messages.append(text);
}

// Everything written to the process's stderr (libraries print there directly) and every Qt message.
class OutputCapture {
public:
    OutputCapture()
    {
        messages.clear();
        previous_ = qInstallMessageHandler(collect);
        std::fflush(stderr);
        file_.open();
        saved_ = dup(STDERR_FILENO);
        dup2(file_.handle(), STDERR_FILENO);
    }

    ~OutputCapture()
    {
        if (saved_ >= 0)
            finish();
    }

    // What was printed, one entry per Qt message and one for all raw stderr output.
    QStringList finish()
    {
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
        saved_ = -1;
        qInstallMessageHandler(previous_);
        file_.seek(0);
        QStringList printed = messages;
        const QByteArray raw = file_.readAll();
        if (!raw.isEmpty())
            printed.append(QString::fromLocal8Bit(raw));
        return printed;
    }

private:
    QTemporaryFile file_;
    QtMessageHandler previous_ = nullptr;
    int saved_ = -1;
};
} // namespace

// These run on machines without a sound card or audio server, the usual case for test machines.
class TestAudioDevices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void soundPlayerReturnsAtOnceAndQuietly()
    {
        QTemporaryDir dir;
        const QString junk = dir.filePath("junk.wav");
        QFile file(junk);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("RIFF but nothing a decoder could use");
        file.close();

        OutputCapture capture;
        QtSoundPlayer player;
        QElapsedTimer timer;
        qint64 slowest = 0;
        for (const QString& path : {asset("Change.wav"), asset("Pop2.wav"), asset("redo.wav"), asset("Pop2.wav"),
                 dir.filePath("missing.wav"), junk}) {
            timer.start();
            player.play(path);
            slowest = std::max(slowest, timer.elapsed());
        }
        QTest::qWait(200);
        const QStringList printed = capture.finish();
        QVERIFY2(printed.isEmpty(), qPrintable(printed.join('\n')));
        QVERIFY2(slowest < 50, qPrintable(QString::number(slowest)));
    }

    void musicDeviceStartsFastAndStaysQuiet()
    {
        OutputCapture capture;
        FluidMusicDevice device;
        QElapsedTimer timer;
        timer.start();
        device.open(asset("amalia2.mid"));
        const qint64 openMs = timer.elapsed();
        device.play();
        device.waitUntilLoaded();
        const qint64 loadMs = timer.elapsed();
        if (!device.isReady()) {
            // No audio output: silent, and every command does nothing.
            QCOMPARE(device.position(), 0);
            QVERIFY(!device.atEnd());
            device.prev();
            device.stop();
        }
        device.stop();
        const QStringList printed = capture.finish();
        QVERIFY2(printed.isEmpty(), qPrintable(printed.join('\n')));
        // The soundfont loads on the worker, so open() during start-up is only a file read.
        QVERIFY2(openMs < 100, qPrintable(QStringLiteral("open %1 ms, load %2 ms").arg(openMs).arg(loadMs)));
    }

    void damagedSoundfontIsQuiet()
    {
        // FluidSynth passes a soundfont its own loader rejects on to libinstpatch, which used to complain.
        QTemporaryDir dir;
        const QString damaged = dir.filePath("damaged.sf2");
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(1000, 'j'));
        file.close();

        OutputCapture capture;
        FluidMusicDevice device(FluidMusicDevice::Output::Offline, {damaged});
        device.open(asset("amalia2.mid"));
        device.play();
        device.waitUntilLoaded();
        QVERIFY(!device.isReady());
        const QStringList printed = capture.finish();
        QVERIFY2(printed.isEmpty(), qPrintable(printed.join('\n')));
    }

    void musicDeviceQuitsWhileLoading()
    {
        OutputCapture capture;
        {
            FluidMusicDevice device;
            device.open(asset("amalia2.mid"));
            device.play();
        }
        const QStringList printed = capture.finish();
        QVERIFY2(printed.isEmpty(), qPrintable(printed.join('\n')));
    }
};

QTEST_MAIN(TestAudioDevices)
#include "test_audio_devices.moc"
