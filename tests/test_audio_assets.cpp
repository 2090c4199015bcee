#include "core/music/midi_header.h"
#include "core/music/music_loop.h"
#include "core/music/wave_header.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>

#include <map>
#include <set>

namespace {
QByteArray readAsset(const QString& name)
{
    QFile file(QStringLiteral(HOPNIX_SOURCE_DIR "/assets/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray le(quint32 value, int size)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    return bytes;
}

QByteArray fmtChunk(int tag, int channels, int rate, int bits)
{
    const int block = channels * bits / 8;
    return "fmt " + le(16, 4) + le(quint32(tag), 2) + le(quint32(channels), 2) + le(quint32(rate), 4)
        + le(quint32(rate * block), 4) + le(quint32(block), 2) + le(quint32(bits), 2);
}

QByteArray riff(const QByteArray& chunks)
{
    return "RIFF" + le(quint32(4 + chunks.size()), 4) + "WAVE" + chunks;
}

struct TuneSummary {
    qint64 endTick = 0;
    qint64 firstNoteOn = -1;
    qint64 lastNoteOff = 0;
    std::map<int, int> sounding;
    std::set<int> noteChannels;
    std::set<int> programChannels;
};

// An independent reader of one track: every event is walked, running status included; false on damage.
bool readTrack(const QByteArray& t, TuneSummary& s)
{
    qsizetype at = 0;
    qint64 tick = 0;
    int status = 0;
    const auto byte = [&]() { return at < t.size() ? int(quint8(t[at++])) : -1; };
    const auto number = [&]() {
        qint64 value = 0;
        for (int i = 0, b = 0x80; i < 4 && (b & 0x80); ++i)
            value = (value << 7) | ((b = byte()) & 0x7F);
        return value;
    };
    while (at < t.size()) {
        tick += number();
        if (at < t.size() && (quint8(t[at]) & 0x80))
            status = byte();
        if (status == 0xFF) {
            const int type = byte();
            at += number();
            if (type == 0x2F) {
                s.endTick = std::max(s.endTick, tick);
                return at == t.size();
            }
            continue;
        }
        const int kind = status & 0xF0, channel = status & 0x0F;
        if (status < 0x80 || status >= 0xF0)
            return false;
        const int key = byte(), velocity = (kind == 0xC0 || kind == 0xD0) ? 0 : byte();
        if (kind == 0xC0)
            s.programChannels.insert(channel);
        if (kind == 0x90 && velocity > 0) {
            ++s.sounding[channel * 128 + key];
            s.noteChannels.insert(channel);
            s.firstNoteOn = s.firstNoteOn < 0 ? tick : std::min(s.firstNoteOn, tick);
        } else if (kind == 0x80 || kind == 0x90) {
            --s.sounding[channel * 128 + key];
            s.lastNoteOff = std::max(s.lastNoteOff, tick);
        }
    }
    return false;
}
} // namespace

class TestAudioAssets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void soundEffectsAreShortQuietPcm_data()
    {
        QTest::addColumn<QString>("name");
        // The names are exact: the file system tells "redo.wav" from "Redo.wav".
        QTest::newRow("select") << "Change.wav";
        QTest::newRow("jump") << "Pop2.wav";
        QTest::newRow("undo") << "redo.wav";
    }
    void soundEffectsAreShortQuietPcm()
    {
        QFETCH(QString, name);
        const QByteArray bytes = readAsset(name);
        const auto header = WaveHeader::parse(bytes);
        QVERIFY2(header, qPrintable(name));
        QCOMPARE(header->formatTag, WaveHeader::PcmFormat);
        QCOMPARE(header->bitsPerSample, 16);
        QVERIFY(header->sampleRate == 22050 || header->sampleRate == 44100);
        QCOMPARE(bytes.mid(16, 4), le(16, 4));
        QVERIFY(header->durationMs() > 30 && header->durationMs() < 500);
        QCOMPARE(header->dataOffset + header->dataBytes, bytes.size());

        int peak = 0;
        const auto* samples = reinterpret_cast<const uchar*>(bytes.constData() + header->dataOffset);
        const qint64 count = header->dataBytes / 2;
        for (qint64 i = 0; i < count; ++i)
            peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(samples + 2 * i))));
        // Audible, yet well below clipping; faded at both ends so it neither starts nor stops with a click.
        QVERIFY2(peak > 8000 && peak < 24000, qPrintable(QString::number(peak)));
        QVERIFY(std::abs(qFromLittleEndian<qint16>(samples)) < 300);
        QVERIFY(std::abs(qFromLittleEndian<qint16>(samples + 2 * (count - 1))) < 300);
        QVERIFY(bytes != readAsset(name == "Pop2.wav" ? "Change.wav" : "Pop2.wav"));
    }

    void waveHeaderReadsOnlyWhatQtPlays()
    {
        const QByteArray data = "data" + le(8, 4) + QByteArray(8, '\1');
        // Chunks in any order before the samples; an odd-sized chunk is padded by one byte.
        const auto h = WaveHeader::parse(riff("LIST" + le(3, 4) + "abc" + '\0' + fmtChunk(1, 2, 22050, 16) + data));
        QVERIFY(h);
        QCOMPARE(h->frameCount(), 2);
        QVERIFY(WaveHeader::parse(riff(fmtChunk(3, 1, 48000, 32) + data)));

        QVERIFY(!WaveHeader::parse(QByteArray()));
        QVERIFY(!WaveHeader::parse(readAsset("amalia2.mid")));
        QVERIFY(!WaveHeader::parse(riff(data + fmtChunk(1, 1, 44100, 16))));
        QVERIFY(!WaveHeader::parse(riff(fmtChunk(1, 1, 44100, 16) + data).chopped(1)));
        QVERIFY(!WaveHeader::parse(riff(fmtChunk(1, 1, 44100, 16) + "data" + le(0xFFFFFFF0, 4))));
        QVERIFY(!WaveHeader::parse(riff(fmtChunk(2, 1, 44100, 4) + data)));
        QVERIFY(!WaveHeader::parse(riff(fmtChunk(1, 0, 44100, 16) + data)));
    }

    void tuneLoopsAtItsEnd()
    {
        const QByteArray bytes = readAsset("amalia2.mid");
        const auto header = MidiHeader::parse(bytes);
        QVERIFY(header);
        QCOMPARE(header->division % 4, 0);
        const qint64 sixteenth = header->division / 4;

        TuneSummary tune;
        qsizetype at = 14;
        int tracks = 0;
        for (; at + 8 <= bytes.size(); ++tracks) {
            QCOMPARE(bytes.mid(at, 4), QByteArray("MTrk"));
            const qsizetype length = qFromBigEndian<quint32>(bytes.constData() + at + 4);
            QVERIFY2(readTrack(bytes.mid(at + 8, length), tune), qPrintable(QString::number(tracks)));
            at += 8 + length;
        }
        QCOMPARE(at, bytes.size());
        QCOMPARE(tracks, header->trackCount);
        for (const auto& [note, count] : tune.sounding)
            QCOMPARE(count, 0);

        // The song reaches the loop point before it ends and its music stops just there, so the repeat
        // runs on into the opening bar, which sounds at once.
        QVERIFY(tune.endTick >= MusicLoop::LoopPoint * sixteenth);
        QVERIFY(tune.lastNoteOff <= MusicLoop::LoopPoint * sixteenth);
        QVERIFY(tune.lastNoteOff > (MusicLoop::LoopPoint - 2) * sixteenth);
        QCOMPARE(tune.firstNoteOn, 0);
        // Melody, harmony and bass with their instruments chosen, and percussion on General MIDI channel 10.
        QVERIFY(tune.noteChannels.count(9) == 1 && tune.noteChannels.size() >= 4);
        for (int channel : tune.noteChannels)
            QVERIFY(channel == 9 || tune.programChannels.count(channel) == 1);
    }
};

QTEST_GUILESS_MAIN(TestAudioAssets)
#include "test_audio_assets.moc"
