#include "audio/fluid_music_device.h"
#include "audio/soundfont_search.h"
#include "support/midi_builder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

// The live synthesizer, kept for comparing against the rendered loop: one run through it, offline.
class TestFluidMusicDevice : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void playsCountsAndKeepsItsPlaceWhenStopped()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("short.mid"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(MidiBuilder::shortTune());
        file.close();
        FluidMusicDevice device(FluidMusicDevice::Output::Offline, SoundfontSearch::defaultPlaces());
        device.open(file.fileName());
        device.play();
        device.waitUntilLoaded();
        QVERIFY(device.isReady());

        // 8 sixteenths a second; the tune's notes start after a quarter's rest.
        double sum = 0.0;
        for (int left = FluidMusicDevice::SampleRate * 21 / 20; left > 0; left -= 4096)
            for (float s : device.render(std::min(left, 4096)))
                sum += double(s) * double(s);
        QVERIFY(std::sqrt(sum / FluidMusicDevice::SampleRate) > 0.005);
        QCOMPARE(device.position(), 8);
        device.stop();
        device.render(FluidMusicDevice::SampleRate);
        QCOMPARE(device.position(), 8);
        QVERIFY(!device.atEnd());
    }
};

QTEST_GUILESS_MAIN(TestFluidMusicDevice)
#include "test_fluid_music_device.moc"
