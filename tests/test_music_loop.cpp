#include "core/music/music_loop.h"
#include "core/music/loop_playhead.h"
#include "core/music/loop_timing.h"
#include "core/music/midi_tempo_map.h"
#include "core/music/rendered_loop.h"
#include "support/midi_builder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <cstring>

using namespace MidiBuilder;

namespace {
constexpr qint64 Rate = LoopTiming::SampleRate;

std::optional<LoopTiming> timingOf(const QByteArray& file, qint64 loopPoint = MusicLoop::LoopPoint)
{
    const std::optional<MidiTempoMap> map = MidiTempoMap::parse(file);
    return map ? LoopTiming::forTune(*map, loopPoint) : std::nullopt;
}

// The loop frames of a file that must have a timing; -1 when it has none.
qint64 loopFramesOf(const QByteArray& file, qint64 loopPoint)
{
    const std::optional<LoopTiming> timing = timingOf(file, loopPoint);
    return timing ? timing->loopFrames() : -1;
}

QByteArray bytesOf(const std::vector<qint16>& samples)
{
    return QByteArray(reinterpret_cast<const char*>(samples.data()),
        static_cast<qsizetype>(samples.size() * sizeof(qint16)));
}

// Frames `from` to `to` of a pass whose samples tell frame and channel apart.
QByteArray numberedFrames(int from, int to)
{
    std::vector<qint16> samples;
    for (int f = from; f < to; ++f) {
        samples.push_back(static_cast<qint16>(100 * (f + 1)));
        samples.push_back(static_cast<qint16>(-100 * (f + 1)));
    }
    return bytesOf(samples);
}

// A tail of four loud frames that saturate when mixed.
QByteArray loudTail()
{
    return bytesOf({32700, -32700, 32700, -32700, 32700, -32700, 32700, -32700});
}

bool append(RenderedLoop& loop, const QByteArray& bytes)
{
    return loop.append(bytes.constData(), bytes.size());
}

// A pass of ten numbered frames, `ready` of them rendered, and when complete the loud tail.
std::shared_ptr<RenderedLoop> numberedLoop(int ready, bool complete)
{
    auto loop = std::make_shared<RenderedLoop>(10, 4);
    bool ok = loop->open(QDir::tempPath()) && append(*loop, numberedFrames(0, complete ? 10 : ready));
    if (complete)
        ok = ok && append(*loop, loudTail()) && loop->finish();
    return ok ? loop : nullptr;
}

std::vector<qint16> readFrames(LoopPlayhead& head, const RenderedLoop& loop, qint64 frames)
{
    QByteArray bytes(static_cast<qsizetype>(frames * RenderedLoop::BytesPerFrame), '\0');
    const qint64 got = head.read(bytes.data(), frames, loop);
    std::vector<qint16> samples(static_cast<size_t>(got * 2));
    if (!samples.empty())
        std::memcpy(samples.data(), bytes.constData(), samples.size() * sizeof(qint16));
    return samples;
}

// Ten frames of pass, as in numberedLoop, with or without the saturated tail over the first four.
std::vector<qint16> expectedPass(bool withTail)
{
    std::vector<qint16> samples;
    for (int f = 0; f < 10; ++f) {
        const bool tail = withTail && f < 4;
        samples.push_back(static_cast<qint16>(tail ? 32767 : 100 * (f + 1)));
        samples.push_back(static_cast<qint16>(tail ? -32768 : -100 * (f + 1)));
    }
    return samples;
}
} // namespace

class TestMusicLoop : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void passOfTheGameTuneEndsAtTheLoopPoint()
    {
        QFile file(QStringLiteral(HOPNIX_SOURCE_DIR "/assets/amalia2.mid"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // The file's one tempo, read straight from the bytes.
        QCOMPARE(bytes.count("\xFF\x51\x03"), 1);
        const double micros = qFromBigEndian<quint32>(bytes.constData() + bytes.indexOf("\xFF\x51\x03") + 2) & 0xFFFFFF;
        const double framesPerSixteenth = micros / 4.0 / 1e6 * Rate;
        QVERIFY(micros > 0);

        const std::optional<LoopTiming> timing = timingOf(bytes);
        QVERIFY(timing && !timing->endsWithSong());
        QCOMPARE(timing->loopFrames(), qint64(std::ceil(MusicLoop::LoopPoint * framesPerSixteenth)));
        QCOMPARE(timing->sixteenthsAt(timing->loopFrames() - 1), MusicLoop::LoopPoint - 1);
        QCOMPARE(timing->sixteenthsAt(timing->loopFrames()), MusicLoop::LoopPoint);
        QCOMPARE(timing->sixteenthsAt(qint64(100.5 * framesPerSixteenth)), 100);
    }

    void tempoChangesFromEveryTrackCount()
    {
        // 96 ticks a quarter: 384 ticks at 0.5 s a quarter (2 s), from the second track's change at 576 a
        // quarter lasts 1 s; between them 192 ticks at 0.25 s (0.5 s). Loop point at 40 sixteenths = tick 960.
        const QByteArray first = tempo(0, 500000) + tempo(384, 250000) + endOfTrack(2000);
        const QByteArray second = tempo(576, 1000000) + endOfTrack(0);
        const std::optional<LoopTiming> timing = timingOf(header(1, 2, 96) + track(first) + track(second), 40);
        QVERIFY(timing);
        QCOMPARE(timing->loopFrames(), qint64(6.5 * Rate));
        QCOMPARE(timing->sixteenthsAt(2 * Rate - 1), 15);
        QCOMPARE(timing->sixteenthsAt(2 * Rate), 16);
        QCOMPARE(timing->sixteenthsAt(qint64(2.5 * Rate) - 1), 23);
        QCOMPARE(timing->sixteenthsAt(qint64(2.5 * Rate)), 24);
        // Past the pass the last tempo goes on.
        QCOMPARE(timing->sixteenthsAt(timing->loopFrames() + 2 * Rate), 48);
        // A change the same tick as another, in a later track, wins; a file without any plays at 120.
        const QByteArray clash = tempo(0, 1000000) + endOfTrack(960);
        QCOMPARE(loopFramesOf(header(1, 2, 96) + track(clash) + track(tempo(0, 250000) + endOfTrack(0)), 40),
            qint64(2.5 * Rate));
        QCOMPARE(loopFramesOf(header(0, 1, 96) + track(endOfTrack(960)), 40), 5 * Rate);
        // Text, system exclusive, running status and unknown chunks are stepped over: a quarter at 0.5 s, one at 0.25.
        const QByteArray mixed = bytes({0, 0xFF, 0x03, 3, 'a', 'b', 'c', 0, 0xF0, 2, 0x7E, 0xF7, 0, 0xC0, 5})
            + bytes({0, 0x90, 60, 100}) + delta(96) + bytes({60, 0}) + tempo(0, 250000) + endOfTrack(96);
        QCOMPARE(loopFramesOf(header(0, 1, 96) + "XTRA" + bigEndian(2, 4) + "ab" + track(mixed), 40), 3 * Rate / 4);
        // Six ticks a quarter: the third sixteenth begins at tick 4.5, so the pass lasts to tick 5.
        QCOMPARE(loopFramesOf(header(0, 1, 6) + track(endOfTrack(100)), 3), 5 * Rate / 12);
    }

    void tunesThatCannotLoopAreRefused_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray notes = bytes({0, 0x90, 60, 100}) + delta(96) + bytes({0x80, 60, 0});
        QTest::newRow("no track") << header(0, 1, 96);
        QTest::newRow("only another kind of chunk") << header(0, 1, 96) + "XTRA" + bigEndian(2, 4) + "ab";
        QTest::newRow("track longer than the file") << (header(0, 1, 96) + track(notes + endOfTrack(0))).chopped(2);
        QTest::newRow("data before any status") << header(0, 1, 96) + track(bytes({0, 60, 100}) + endOfTrack(0));
        QTest::newRow("cut-off tempo") << header(0, 1, 96) + track(delta(0) + bytes({0xFF, 0x51, 0x03, 0x07}));
        QTest::newRow("zero tempo") << header(0, 1, 96) + track(tempo(0, 0) + notes + endOfTrack(0));
        QTest::newRow("no length") << header(0, 1, 96) + track(endOfTrack(0));
        // The slowest tempo a file can set: a pass of over 45 minutes.
        QTest::newRow("far too slow") << header(0, 1, 96) + track(tempo(0, 0xFFFFFF) + endOfTrack(96 * 200));
        QTest::newRow("SMPTE timing") << header(0, 1, 0xE728) + track(notes + endOfTrack(0));
    }
    void tunesThatCannotLoopAreRefused()
    {
        QFETCH(QByteArray, file);
        QVERIFY(!timingOf(file));
    }

    void readsOnlyWhatIsRenderedAndMixesTheTailIntoLaterPasses()
    {
        const auto loop = numberedLoop(6, false);
        QVERIFY(loop);
        LoopPlayhead head(*timingOf(shortTune()));
        std::vector<qint16> firstSix = expectedPass(false);
        firstSix.resize(12);
        QCOMPARE(readFrames(head, *loop, 8), firstSix);
        QCOMPARE(readFrames(head, *loop, 8).size(), 0u);
        // The whole pass is there, but the next pass waits for the tail.
        QVERIFY(append(*loop, numberedFrames(6, 10)));
        QCOMPARE(readFrames(head, *loop, 8).size(), 8u);
        QCOMPARE(readFrames(head, *loop, 8).size(), 0u);
        QVERIFY(append(*loop, loudTail()));
        QVERIFY(loop->finish());
        QCOMPARE(readFrames(head, *loop, 10), expectedPass(true));
        QCOMPARE(readFrames(head, *loop, 10), expectedPass(true));
    }

    void keepsItsFramesOutOfSightAndRefusesWhatDoesNotFit()
    {
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        const QString missing = directory.filePath("missing");
        for (const QString& place : {directory.path(), missing}) {
            RenderedLoop loop(10, 4);
            QVERIFY(loop.open(place));
            // The frames leave no file behind, wherever they are kept.
            QVERIFY(QDir(directory.path()).isEmpty());
            QVERIFY(append(loop, numberedFrames(0, 7)));
            QCOMPARE(loop.readyFrames(), 7);
            QVERIFY(!loop.finish());
            QVERIFY(append(loop, numberedFrames(7, 10)));
            QVERIFY(append(loop, loudTail().left(6)));
            // Half a frame of tail is no tail.
            QVERIFY(!loop.finish());
            QVERIFY(append(loop, loudTail().mid(6)));
            // Pass and tail are full: one sample more is refused.
            QVERIFY(!append(loop, loudTail().left(2)));
            QVERIFY(loop.finish());
            QCOMPARE(loop.tailFrames(), 4);
            QByteArray frames(10 * RenderedLoop::BytesPerFrame, '\0');
            QCOMPARE(loop.readPass(3, 10, frames.data()), 7);
            QCOMPARE(frames.left(7 * RenderedLoop::BytesPerFrame), numberedFrames(3, 10));
            QCOMPARE(loop.readTail(2, 10, frames.data()), 2);
            QCOMPARE(frames.left(2 * RenderedLoop::BytesPerFrame), loudTail().mid(8));
        }
    }

    void positionAndLoopRuleFollowTheFramesHeard()
    {
        // The short tune's timing: 8 sixteenths a second, a pass of 4 s.
        RenderedLoop loop(4 * Rate, 0);
        QVERIFY(loop.open(QDir::tempPath()));
        QVERIFY(append(loop, QByteArray(4 * Rate * RenderedLoop::BytesPerFrame, '\0')));
        QVERIFY(loop.finish());
        LoopPlayhead head(*timingOf(shortTune()));
        std::vector<char> buffer(static_cast<size_t>(Rate * RenderedLoop::BytesPerFrame));
        QCOMPARE(head.read(buffer.data(), Rate, loop), Rate);
        head.update(Rate / 2);
        QCOMPARE(head.position(), 4);
        // What the output says it still holds never takes the position back.
        head.update(Rate);
        QCOMPARE(head.position(), 4);

        // Before the end has been heard "prev" starts over from the first frame: the output must drop its frames.
        QVERIFY(head.rewind());
        QCOMPARE(head.position(), 0);
        QVERIFY(!head.rewind());

        // Through the end: the tune's end (it is shorter than the loop point) asks for the restart.
        for (int i = 0; i < 5; ++i)
            head.read(buffer.data(), Rate, loop);
        head.update(Rate - Rate / 4);
        QCOMPARE(head.playedFrames(), 4 * Rate + Rate / 4);
        QVERIFY(head.atEnd());
        QVERIFY(MusicLoop::shouldRestart(head.position(), head.atEnd()));
        // The output already plays the next pass: "prev" only starts the count over at the seam.
        QVERIFY(!head.rewind());
        QVERIFY(!head.atEnd());
        QCOMPARE(head.position(), 2);
        head.update(0);
        QCOMPARE(head.position(), 8);
    }
};

QTEST_GUILESS_MAIN(TestMusicLoop)
#include "test_music_loop.moc"
