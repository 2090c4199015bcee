#include "audio/fluid_music_device.h"
#include "audio/soundfont_search.h"
#include "core/music/music_loop.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {
constexpr int Block = 4096;
constexpr int Second = FluidMusicDevice::SampleRate;

QString asset(const char* name)
{
    return QStringLiteral(HOPNIX_SOURCE_DIR "/assets/") + QLatin1String(name);
}

double rms(const std::vector<float>& samples)
{
    double sum = 0.0;
    for (float s : samples)
        sum += double(s) * double(s);
    return samples.empty() ? 0.0 : std::sqrt(sum / double(samples.size()));
}

QByteArray bigEndian(quint32 value, int size)
{
    QByteArray bytes;
    for (int i = size - 1; i >= 0; --i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    return bytes;
}

// Eight piano quarter notes at 120 beats a minute (8 sixteenths a second): 32 sixteenths, far short of the loop point.
QByteArray shortTune()
{
    QByteArray track = QByteArray("\x00\xFF\x51\x03", 4) + bigEndian(500000, 3) + QByteArray("\x00\xC0\x00", 3);
    for (int key : {60, 62, 64, 65, 67, 69, 71, 72}) {
        track += QByteArray(1, '\0') + bigEndian(quint32(0x900000 | key << 8 | 100), 3);
        // 96 ticks (one quarter) later, as a two-byte variable-length delta.
        track += QByteArray("\x80\x60", 2) + bigEndian(quint32(0x800000 | key << 8), 3);
    }
    track += QByteArray("\x00\xFF\x2F\x00", 4);
    return "MThd" + bigEndian(6, 4) + bigEndian(0, 2) + bigEndian(1, 2) + bigEndian(96, 2) + "MTrk"
        + bigEndian(quint32(track.size()), 4) + track;
}

std::vector<float> renderSeconds(FluidMusicDevice& device, double seconds)
{
    std::vector<float> all;
    for (int left = int(seconds * Second); left > 0; left -= Block) {
        const std::vector<float> block = device.render(std::min(left, Block));
        all.insert(all.end(), block.begin(), block.end());
    }
    return all;
}
} // namespace

class TestFluidMusicDevice : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!SoundfontSearch::find(SoundfontSearch::defaultPlaces()).isEmpty(),
            "a General MIDI soundfont (Debian package fluid-soundfont-gm) is needed");
        QFile file(dir_.filePath("short.mid"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(shortTune());
    }

    void tunePlaysAndLoopsAtTheLoopPoint()
    {
        FluidMusicDevice device(FluidMusicDevice::Output::Offline, SoundfontSearch::defaultPlaces());
        device.open(asset("amalia2.mid"));
        // Told to play while the soundfont still loads: it starts as soon as the load is done.
        device.play();
        device.waitUntilLoaded();
        QVERIFY(device.isReady());

        // Two seconds at a time in steps of the status interval, as the status handler sees the tune.
        double quietest = 1.0;
        float peak = 0.0f;
        while (!MusicLoop::shouldRestart(device.position(), device.atEnd()) && device.position() < 1000) {
            std::vector<float> part;
            for (int i = 0; i < 20 && device.position() < MusicLoop::LoopPoint; ++i) {
                const std::vector<float> step = renderSeconds(device, FluidMusicDevice::StatusIntervalMs / 1000.0);
                part.insert(part.end(), step.begin(), step.end());
            }
            quietest = std::min(quietest, rms(part));
            for (float s : part)
                peak = std::max(peak, std::abs(s));
        }
        // The loop point comes before the end of the song, so the position, not the end, restarts it.
        QVERIFY2(device.position() <= MusicLoop::LoopPoint + 2, qPrintable(QString::number(device.position())));
        QVERIFY(!device.atEnd());
        // Music all the way through, without a silent stretch, and never clipping.
        QVERIFY2(quietest > 0.005, qPrintable(QString::number(quietest)));
        QVERIFY(peak < 1.0f);

        device.prev();
        QCOMPARE(device.position(), 0);
        device.play();
        QCOMPARE(device.position(), 0);
        QVERIFY(rms(renderSeconds(device, 0.5)) > 0.005);
        QVERIFY(device.position() > 0 && device.position() <= 5);
    }

    void positionFollowsRenderedSamples()
    {
        FluidMusicDevice device(FluidMusicDevice::Output::Offline, SoundfontSearch::defaultPlaces());
        device.open(dir_.filePath("short.mid"));
        device.waitUntilLoaded();
        renderSeconds(device, 0.5);
        QCOMPARE(device.position(), 0);

        // Whole sixteenths are counted, so the lengths rendered stay clear of the boundaries.
        device.play();
        QVERIFY(rms(renderSeconds(device, 1.05)) > 0.005);
        QCOMPARE(device.position(), 8);

        // "stop" keeps the place and falls silent, which is not the end; "play" goes on from there.
        device.stop();
        renderSeconds(device, 1.0);
        QCOMPARE(device.position(), 8);
        QVERIFY(rms(renderSeconds(device, 0.5)) < 0.001);
        QVERIFY(!device.atEnd());
        device.play();
        renderSeconds(device, 0.5);
        QCOMPARE(device.position(), 12);

        // "prev" reads 0 at once, and while stopped it stays there.
        device.stop();
        device.prev();
        QCOMPARE(device.position(), 0);
        renderSeconds(device, 0.5);
        QCOMPARE(device.position(), 0);
        device.play();
        renderSeconds(device, 0.55);
        QCOMPARE(device.position(), 4);

        // This tune ends long before the loop point; its end restarts it.
        for (int i = 0; i < 20 && !device.atEnd(); ++i)
            renderSeconds(device, 0.5);
        QVERIFY(device.atEnd());
        QVERIFY(MusicLoop::shouldRestart(device.position(), device.atEnd()));
        device.prev();
        device.play();
        QVERIFY(!device.atEnd());
        QVERIFY(rms(renderSeconds(device, 0.55)) > 0.005);
        QCOMPARE(device.position(), 4);
    }

    void reportsStatusOnlyWhilePlaying()
    {
        FluidMusicDevice device(FluidMusicDevice::Output::Offline, SoundfontSearch::defaultPlaces());
        QSignalSpy updates(&device, &MusicDevice::statusUpdate);
        device.open(dir_.filePath("short.mid"));
        device.waitUntilLoaded();
        QTest::qWait(3 * FluidMusicDevice::StatusIntervalMs);
        QCOMPARE(updates.count(), 0);
        device.play();
        QTRY_VERIFY(updates.count() >= 2);
        device.stop();
        updates.clear();
        QTest::qWait(3 * FluidMusicDevice::StatusIntervalMs);
        QCOMPARE(updates.count(), 0);
    }

    void silentWithoutTuneOrSoundfont_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("withSoundfont");
        QTest::newRow("missing file") << QStringLiteral("/nonexistent/amalia2.mid") << true;
        QTest::newRow("not a MIDI file") << asset("Pop2.wav") << true;
        QTest::newRow("no soundfont") << asset("amalia2.mid") << false;
    }
    void silentWithoutTuneOrSoundfont()
    {
        QFETCH(QString, file);
        QFETCH(bool, withSoundfont);
        // An empty directory stands for a machine without any soundfont installed.
        const QStringList search =
            withSoundfont ? SoundfontSearch::defaultPlaces() : QStringList{dir_.filePath("none")};
        QVERIFY(QDir().mkpath(dir_.filePath("none")));
        FluidMusicDevice device(FluidMusicDevice::Output::Offline, search);
        device.open(file);
        device.waitUntilLoaded();
        QVERIFY(!device.isReady());
        device.prev();
        device.play();
        QCOMPARE(rms(renderSeconds(device, 0.5)), 0.0);
        QCOMPARE(device.position(), 0);
        QVERIFY(!device.atEnd());
        device.stop();
    }

    void quitsOrReopensWhileLoading()
    {
        auto device = std::make_unique<FluidMusicDevice>(FluidMusicDevice::Output::Offline,
            SoundfontSearch::defaultPlaces());
        device->open(asset("amalia2.mid"));
        device->play();
        device.reset();
        FluidMusicDevice again(FluidMusicDevice::Output::Offline, SoundfontSearch::defaultPlaces());
        again.open(asset("amalia2.mid"));
        again.open(dir_.filePath("short.mid"));
        again.play();
        again.waitUntilLoaded();
        renderSeconds(again, 1.05);
        QCOMPARE(again.position(), 8);
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestFluidMusicDevice)
#include "test_fluid_music_device.moc"
