#include "audio/pcm_music_device.h"
#include "audio/qt_pcm_output.h"
#include "audio/qt_sound_player.h"
#include "audio/soundfont_search.h"

#include <QApplication>
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
    void soundPlayerStaysQuiet()
    {
        QTemporaryDir dir;
        const QString junk = dir.filePath("junk.wav");
        QFile file(junk);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("RIFF but nothing a decoder could use");
        file.close();

        OutputCapture capture;
        QtSoundPlayer player;
        for (const QString& path : {asset("Change.wav"), asset("Pop2.wav"), asset("redo.wav"), asset("Pop2.wav"),
                 dir.filePath("missing.wav"), junk})
            player.play(path);
        QCoreApplication::processEvents();
        const QStringList printed = capture.finish();
        QVERIFY2(printed.isEmpty(), qPrintable(printed.join('\n')));
    }

    void musicDeviceStaysQuiet_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("damagedSoundfont");
        QTest::addColumn<bool>("waitForTheRendering");
        QTest::newRow("the game's tune") << asset("amalia2.mid") << false << true;
        QTest::newRow("not a tune") << asset("Pop2.wav") << false << true;
        QTest::newRow("a damaged soundfont") << asset("amalia2.mid") << true << true;
        QTest::newRow("quit while rendering") << asset("amalia2.mid") << false << false;
    }
    void musicDeviceStaysQuiet()
    {
        QFETCH(QString, file);
        QFETCH(bool, damagedSoundfont);
        QFETCH(bool, waitForTheRendering);
        QTemporaryDir dir;
        QStringList search = SoundfontSearch::defaultPlaces();
        if (damagedSoundfont) {
            // The start of a real soundfont, cut off.
            QFile real(SoundfontSearch::find(search));
            QFile cut(dir.filePath("cut.sf2"));
            QVERIFY(real.open(QIODevice::ReadOnly) && cut.open(QIODevice::WriteOnly));
            cut.write(real.read(256 * 1024));
            search = {cut.fileName()};
        }
        OutputCapture capture;
        {
            PcmMusicDevice device(std::make_unique<QtPcmOutput>(), search, QStringLiteral(HOPNIX_RENDERER));
            device.open(file);
            device.prev();
            device.play();
            // With a sound server it plays; without one (the usual test machine) every command does nothing.
            if (waitForTheRendering) {
                device.waitUntilRendered();
                device.stop();
                device.play();
                device.prev();
            }
        }
        const QStringList printed = capture.finish();
        QVERIFY2(printed.isEmpty(), qPrintable(printed.join('\n')));
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    TestAudioDevices test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_audio_devices.moc"
