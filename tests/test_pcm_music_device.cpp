#include "core/music/music_loop.h"
#include "audio/pcm_music_device.h"
#include "audio/soundfont_search.h"
#include "audio/tune_render_process.h"
#include "core/music/loop_timing.h"
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
        const QString& renderProgram = QString::fromLatin1(TuneRenderProcess::ThisProgram))
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

int largestStep(const std::vector<int>& samples)
{
    int step = 0;
    for (size_t i = 1; i < samples.size(); ++i)
        step = std::max(step, std::abs(samples[i] - samples[i - 1]));
    return step;
}

// One pass of the game's tune in frames, from the division and the one tempo in the file's own bytes.
qint64 gameTunePassFrames()
{
    QFile file(asset("amalia2.mid"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    const qsizetype at = bytes.indexOf("\xFF\x51\x03") + 3;
    const double micros = (quint8(bytes[at]) << 16) | (quint8(bytes[at + 1]) << 8) | quint8(bytes[at + 2]);
    return qint64(std::ceil(MusicLoop::LoopPoint * micros / 4.0 / 1e6 * double(Rate)));
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

    void gameTuneStartsOverAtTheLoopPointWithoutABreak()
    {
        const qint64 pass = gameTunePassFrames();
        Rig rig;
        rig.device->open(asset("amalia2.mid"));
        // Told to play while it still renders: it plays once the first frames are there.
        rig.device->play();
        QVERIFY(rig.device->waitUntilRendered());
        QVERIFY(rig.output->isPlaying());
        // Status by status, as the game's loop sees the tune.
        while (!MusicLoop::shouldRestart(rig.device->position(), rig.device->atEnd()) && rig.heardFrames() < 2 * pass)
            rig.hear(StatusStep);
        QVERIFY2(rig.heardFrames() >= pass && rig.heardFrames() - StatusStep < pass,
            qPrintable(QStringLiteral("restart after %1 frames of a %2-frame pass").arg(rig.heardFrames()).arg(pass)));
        QVERIFY(!rig.device->atEnd());
        rig.device->prev();
        rig.device->play();
        QVERIFY(rig.device->position() < MusicLoop::LoopPoint);
        // The stream was never broken off: it had already run on into the start.
        QCOMPARE(rig.output->starts, 1);
        rig.hear(pass + 3 * Rate + 1001 - rig.heardFrames());
        QCOMPARE(rig.heardFrames(), pass + 3 * Rate + 1001);

        // Music all the way through, never clipping.
        for (qint64 at = 0; at + 2 * Rate <= pass; at += 2 * Rate) {
            const std::vector<int> part = left(rig.heard, at, 2 * Rate);
            QVERIFY2(rms(part) > 0.005, qPrintable(QStringLiteral("quiet at %1 s").arg(at / Rate)));
            QVERIFY(*std::max_element(part.begin(), part.end()) < 32767);
        }
        // Past the tail of the first pass, the second pass is the first frame for frame: the pass is exactly as long
        // as the tune's tempo and division make the loop point.
        QVERIFY(left(rig.heard, pass + 3 * Rate, 1000) == left(rig.heard, 3 * Rate, 1000));
        QVERIFY(left(rig.heard, pass + 3 * Rate + 1, 1000) != left(rig.heard, 3 * Rate, 1000));
    }

    void shortTuneStartsOverAtItsEndWithoutAClick()
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
        // Across the seam the wave moves no more than it does just before it.
        const int before = largestStep(left(rig.heard, pass - Rate / 20, Rate / 20 - 10));
        QVERIFY2(largestStep(left(rig.heard, pass - 10, 20)) <= 2 * before + 4,
            qPrintable(QStringLiteral("%1 against %2").arg(largestStep(left(rig.heard, pass - 10, 20))).arg(before)));
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

    void silentWithoutTuneSoundfontOrOutput_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("withSoundfont");
        QTest::addColumn<bool>("withOutput");
        QTest::newRow("missing file") << QStringLiteral("/nonexistent/amalia2.mid") << true << true;
        QTest::newRow("not a MIDI file") << asset("Pop2.wav") << true << true;
        QTest::newRow("no soundfont") << dir_.filePath("short.mid") << false << true;
        QTest::newRow("no audio output") << dir_.filePath("short.mid") << true << false;
    }
    void silentWithoutTuneSoundfontOrOutput()
    {
        QFETCH(QString, file);
        QFETCH(bool, withSoundfont);
        QFETCH(bool, withOutput);
        // An empty directory stands for a machine without any soundfont installed.
        QVERIFY(QDir().mkpath(dir_.filePath("none")));
        Rig rig(withSoundfont ? SoundfontSearch::defaultPlaces() : QStringList{dir_.filePath("none")});
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

    // FluidSynth would hand a damaged soundfont to a library that complains on stderr; it never sees one.
    void damagedSoundfontIsPassedOver()
    {
        QFile damaged(dir_.filePath("damaged.sf2"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("RIFF" + QByteArray(996, 'j'));
        damaged.close();
        QVERIFY(SoundfontSearch::find({damaged.fileName()}).isEmpty());
    }

    void silentWhenTheRenderingFails_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("no such program") << QString();
        QTest::newRow("fails") << QStringLiteral("head -c 400000 /dev/zero; exit 1");
        QTest::newRow("sends part of the pass") << QStringLiteral("head -c 400000 /dev/zero");
        QTest::newRow("sends too much") << QStringLiteral("head -c 30000000 /dev/zero");
    }
    void silentWhenTheRenderingFails()
    {
        QFETCH(QString, script);
        const QString program =
            dir_.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-')));
        if (!script.isEmpty()) {
            QFile file(program);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\n" + script.toUtf8() + "\n");
            file.close();
            QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
        }
        Rig rig(SoundfontSearch::defaultPlaces(), program);
        rig.device->open(dir_.filePath("short.mid"));
        rig.device->play();
        QVERIFY(!rig.device->waitUntilRendered());
        QVERIFY(!rig.output->isPlaying());
        QCOMPARE(rig.activeTimers(), 0);
        QCOMPARE(rig.device->position(), 0);
        rig.device->play();
        QVERIFY(!rig.output->isPlaying());
    }

    void quitsOrOpensAgainWhileRendering()
    {
        {
            Rig rig;
            rig.device->open(asset("amalia2.mid"));
            rig.device->play();
        }
        Rig rig;
        rig.device->open(asset("amalia2.mid"));
        rig.device->play();
        rig.device->open(dir_.filePath("short.mid"));
        // A fresh open starts from rest, whatever the device was told before.
        rig.device->play();
        QVERIFY(rig.device->waitUntilRendered());
        rig.hear(Rate + Rate / 20);
        QCOMPARE(rig.device->position(), 8);
        QVERIFY(rms(left(rig.heard, Rate / 8, Rate / 2)) > 0.002);
    }

private:
    QTemporaryDir dir_;
};

int main(int argc, char* argv[])
{
    // The music device renders in a helper started from this program.
    if (TuneRenderProcess::isHelper(argc, argv))
        return TuneRenderProcess::runHelper(argc, argv);
    QCoreApplication app(argc, argv);
    TestPcmMusicDevice test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_pcm_music_device.moc"
