#include "audio/pcm_music_device.h"
#include "audio/soundfont_search.h"
#include "core/music/loop_timing.h"
#include "core/music/music_loop.h"
#include "support/midi_builder.h"
#include "support/pulled_pcm_output.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <cstring>

namespace {
constexpr qint64 Rate = LoopTiming::SampleRate;
// The real output holds about a second.
constexpr qint64 BufferFrames = Rate;
// The game looks at the position when the device reports, every quarter of a second.
constexpr qint64 StatusStep = Rate * PcmMusicDevice::StatusIntervalMs / 1000;

QString asset(const char* name)
{
    return QStringLiteral(HOPNIX_SOURCE_DIR "/assets/") + QLatin1String(name);
}

struct Rig {
    explicit Rig(const QStringList& soundfonts = SoundfontSearch::defaultPlaces(),
        const QString& renderProgram = QStringLiteral(HOPNIX_RENDERER))
    {
        auto pulled = std::make_unique<PulledPcmOutput>(BufferFrames);
        output = pulled.get();
        device = std::make_unique<PcmMusicDevice>(std::move(pulled), soundfonts, renderProgram);
    }

    // Plays on through the output, keeping what was heard.
    void hear(qint64 frames) { heard += output->play(frames); }
    qint64 heardFrames() const { return heard.size() / RenderedLoop::BytesPerFrame; }

    int activeTimers() const
    {
        int active = 0;
        for (const QTimer* timer : device->findChildren<QTimer*>())
            active += timer->isActive() ? 1 : 0;
        return active;
    }

    PulledPcmOutput* output = nullptr;
    std::unique_ptr<PcmMusicDevice> device;
    QByteArray heard;
};

// The left channel of interleaved stereo, from frame `from` for `count` frames; nothing if they are not all there.
std::vector<int> left(const QByteArray& pcm, qint64 from, qint64 count)
{
    std::vector<int> out;
    if (from < 0 || (from + count) * RenderedLoop::BytesPerFrame > pcm.size())
        return out;
    for (qint64 f = from; f < from + count; ++f) {
        qint16 sample = 0;
        std::memcpy(&sample, pcm.constData() + f * RenderedLoop::BytesPerFrame, sizeof sample);
        out.push_back(sample);
    }
    return out;
}

double rms(const std::vector<int>& samples)
{
    double sum = 0.0;
    for (int s : samples)
        sum += double(s) * double(s);
    return samples.empty() ? 0.0 : std::sqrt(sum / double(samples.size())) / 32768.0;
}
} // namespace

class TestPcmMusicDevice : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!SoundfontSearch::find(SoundfontSearch::defaultPlaces()).isEmpty(),
            "a General MIDI soundfont (Debian package fluid-soundfont-gm) is needed");
        QFile file(dir_.filePath("short.mid"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(MidiBuilder::shortTune());
    }

    void shortTuneStartsOverAtItsEnd()
    {
        Rig rig;
        rig.device->open(dir_.filePath("short.mid"));
        rig.device->play();
        QVERIFY(rig.device->waitUntilRendered());
        while (!rig.device->atEnd() && rig.heardFrames() < 10 * Rate)
            rig.hear(StatusStep);
        const qint64 pass = 4 * Rate;
        QVERIFY(rig.heardFrames() >= pass && rig.heardFrames() - StatusStep < pass);
        QCOMPARE(rig.device->position(), 32);
        QVERIFY(MusicLoop::shouldRestart(rig.device->position(), rig.device->atEnd()));
        rig.device->prev();
        rig.device->play();
        QVERIFY(!rig.device->atEnd());
        QCOMPARE(rig.device->position(), (rig.heardFrames() - pass) * 8 / Rate);
        QCOMPARE(rig.output->starts, 1);
        rig.hear(Rate);

        // The tune opens with a rest; the next pass opens with the last note of this one dying away.
        QVERIFY(rms(left(rig.heard, 0, Rate / 2)) < 0.0005);
        QVERIFY(rms(left(rig.heard, pass, Rate / 8)) > 0.002);
    }

    void positionFollowsTheFramesHeardAndPauseKeepsIt()
    {
        Rig rig;
        rig.device->open(dir_.filePath("short.mid"));
        rig.device->play();
        QVERIFY(rig.device->waitUntilRendered());
        // The output has taken a second of the tune, but none of it has been heard.
        QCOMPARE(rig.device->position(), 0);
        rig.hear(Rate + Rate / 20);
        QCOMPARE(rig.device->position(), 8);

        // Stopped, nothing is heard and the place is kept; play goes on from the same frame.
        rig.device->stop();
        QVERIFY(rig.output->suspended);
        rig.hear(Rate);
        QCOMPARE(rig.device->position(), 8);
        QVERIFY(!rig.device->atEnd());
        rig.device->play();
        rig.hear(Rate / 2);
        QCOMPARE(rig.device->position(), 12);
        QCOMPARE(rig.output->starts, 1);
        const QByteArray withPause = rig.heard;

        // "prev" in the middle of the tune reads 0 at once, and the tune starts again from its first frame.
        rig.device->stop();
        rig.device->prev();
        QCOMPARE(rig.device->position(), 0);
        rig.heard.clear();
        rig.device->play();
        QCOMPARE(rig.output->starts, 2);
        rig.hear(Rate + Rate / 20 + Rate / 2);
        QVERIFY(rig.heard == withPause);
    }

    void reportsStatusOnlyWhilePlaying()
    {
        Rig rig;
        QSignalSpy updates(rig.device.get(), &MusicDevice::statusUpdate);
        rig.device->open(dir_.filePath("short.mid"));
        QVERIFY(rig.device->waitUntilRendered());
        QCOMPARE(rig.activeTimers(), 0);
        rig.device->play();
        QCOMPARE(rig.activeTimers(), 1);
        QTRY_VERIFY(updates.count() >= 2);
        rig.device->stop();
        QCOMPARE(rig.activeTimers(), 0);
        rig.device->play();
        rig.device->prev();
        QCOMPARE(rig.activeTimers(), 1);
        rig.device->stop();
        QCOMPARE(rig.activeTimers(), 0);
    }

    void silentWithoutTuneSoundfontOutputOrRenderer_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("withSoundfont");
        QTest::addColumn<bool>("withOutput");
        // A shell script run in place of the renderer; "-" for a program that is not there.
        QTest::addColumn<QString>("renderer");
        const QString tune = dir_.filePath("short.mid");
        QTest::newRow("missing file") << QStringLiteral("/nonexistent/amalia2.mid") << true << true << QString();
        QTest::newRow("not a MIDI file") << asset("Pop2.wav") << true << true << QString();
        QTest::newRow("no soundfont") << tune << false << true << QString();
        QTest::newRow("no audio output") << tune << true << false << QString();
        QTest::newRow("no renderer") << tune << true << true << QStringLiteral("-");
        QTest::newRow("renderer fails") << tune << true << true << QStringLiteral("head -c 400000 /dev/zero; exit 1");
        QTest::newRow("part of the pass") << tune << true << true << QStringLiteral("head -c 400000 /dev/zero");
        QTest::newRow("too much") << tune << true << true << QStringLiteral("head -c 30000000 /dev/zero");
    }
    void silentWithoutTuneSoundfontOutputOrRenderer()
    {
        QFETCH(QString, file);
        QFETCH(bool, withSoundfont);
        QFETCH(bool, withOutput);
        QFETCH(QString, renderer);
        // An empty directory stands for a machine without any soundfont installed.
        QVERIFY(QDir().mkpath(dir_.filePath("none")));
        QString program = QStringLiteral(HOPNIX_RENDERER);
        if (!renderer.isEmpty()) {
            program = dir_.filePath(
                QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-')));
            QFile script(program);
            if (renderer != QLatin1String("-")) {
                QVERIFY(script.open(QIODevice::WriteOnly));
                script.write("#!/bin/sh\n" + renderer.toUtf8() + "\n");
                script.close();
                QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
            }
        }
        Rig rig(withSoundfont ? SoundfontSearch::defaultPlaces() : QStringList{dir_.filePath("none")}, program);
        rig.output->available = withOutput;
        rig.device->open(file);
        rig.device->prev();
        rig.device->play();
        rig.device->waitUntilRendered();
        rig.hear(Rate);
        QVERIFY(!rig.output->isPlaying());
        QCOMPARE(rig.activeTimers(), 0);
        QCOMPARE(rig.device->position(), 0);
        QVERIFY(!rig.device->atEnd());
        rig.device->stop();
        rig.device->play();
        QVERIFY(!rig.output->isPlaying());
    }

private:
    QTemporaryDir dir_;
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    TestPcmMusicDevice test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_pcm_music_device.moc"
