#include "core/music/midi_header.h"
#include "core/music/midi_programs.h"
#include "support/midi_builder.h"

#include <QtTest>

using namespace MidiBuilder;

namespace {
using Preset = MidiPrograms::Preset;
const QByteArray EndOfTrack = endOfTrack(0);
} // namespace

class TestMidiFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void headerGivesTicksPerQuarter()
    {
        const auto h = MidiHeader::parse(header(1, 7, 480) + "MTrk");
        QVERIFY(h);
        QCOMPARE(h->trackCount, 7);
        QCOMPARE(h->division, 480);
        QCOMPARE(h->sixteenths(663 * 120 - 1), 662);
        QCOMPARE(MidiHeader::parse(header(0, 1, 0x7FFF))->division, 0x7FFF);
        // A longer chunk from a later revision of the format, with its bytes present.
        QVERIFY(MidiHeader::parse(header(1, 2, 96, 8) + QByteArray(2, '\0')));
    }

    void headerRejectsWhatHasNoTicks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("SMPTE 25 fps") << header(1, 2, 0xE728);
        QTest::newRow("SMPTE 30 fps") << header(0, 1, 0xE250);
        QTest::newRow("zero division") << header(1, 2, 0);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated") << header(1, 2, 480).left(13);
        QTest::newRow("length beyond the data") << header(1, 2, 96, 8);
        QTest::newRow("length too short") << header(1, 2, 96, 4);
        QTest::newRow("length overflowing") << header(1, 2, 96, 0xFFFFFFFF);
        QTest::newRow("no tracks") << header(1, 0, 480);
        QTest::newRow("format 0 with two tracks") << header(0, 2, 480);
        QTest::newRow("unknown format") << header(3, 1, 480);
        QTest::newRow("junk") << QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16);
    }
    void headerRejectsWhatHasNoTicks()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!MidiHeader::parse(bytes));
    }

    void programsFromEveryTrack()
    {
        const QByteArray first = bytes({0, 0xFF, 0x03, 3, 'a', 'b', 'c'}) + bytes({0, 0xC0, 73})
            + bytes({0x81, 0x00, 0x90, 60, 100, 10, 62, 100, 10, 60, 0, 0, 62, 0})  // notes in running status
            + bytes({0, 0xF0, 3, 0x7E, 0x7F, 0xF7})                                 // system exclusive
            + bytes({0, 0xB1, 0, 8, 0, 0xC1, 24, 0, 0xC1, 25})                      // bank 8 stays for channel 2
            + bytes({0, 0xE0, 0, 0x40, 0, 0xD0, 20}) + EndOfTrack;
        const QByteArray second = bytes({0, 0xC9, 16, 0, 0xC2, 33}) + EndOfTrack;  // a percussion kit; bass
        const std::set<Preset> expected = {{0, 73}, {8, 24}, {8, 25}, {128, 16}, {0, 33}};
        QVERIFY(MidiPrograms::scan(header(1, 2, 480) + track(first) + track(second)) == expected);
    }

    void programsUpToTheDamage()
    {
        // An unknown chunk is skipped; a cut-off track counts up to the cut.
        const QByteArray unknown = "XTRA" + bigEndian(2, 4) + bytes({0xC0, 1});
        const QByteArray cut = "MTrk" + bigEndian(100, 4) + bytes({0, 0xC0, 5, 0, 0xC0});
        QVERIFY(MidiPrograms::scan(header(1, 2, 96) + unknown + cut) == (std::set<Preset>{{0, 5}}));
        // Data before any status byte, and a length running past the track.
        QVERIFY(MidiPrograms::scan(header(1, 1, 96) + track(bytes({0, 40, 0, 0xC0, 7}) + EndOfTrack)).empty());
        QVERIFY(MidiPrograms::scan(header(1, 1, 96) + track(bytes({0, 0xFF, 0x03, 0x7F, 'x', 0, 0xC0, 9}))).empty());
        QVERIFY(MidiPrograms::scan(QByteArray("RIFF....WAVEfmt ")).empty());
    }
};

QTEST_GUILESS_MAIN(TestMidiFiles)
#include "test_midi_files.moc"
