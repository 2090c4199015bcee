#include "core/music/midi_header.h"
#include "core/music/music_loop.h"
#include "core/music/wave_header.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>

#include <map>

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

QByteArray wave(int tag, int channels, int bits, const QByteArray& before, const QByteArray& after = {})
{
    const quint32 block = quint32(channels * bits / 8);
    const QByteArray chunks = before + "fmt " + le(16, 4) + le(quint32(tag), 2) + le(quint32(channels), 2)
        + le(22050, 4) + le(22050 * block, 4) + le(block, 2) + le(quint32(bits), 2) + after;
    return "RIFF" + le(quint32(4 + chunks.size()), 4) + "WAVE" + chunks;
}

struct TuneSummary {
    qint64 endTick = 0;
    qint64 firstNoteOn = -1;
    qint64 lastNoteOff = 0;
    std::map<int, int> sounding;
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
        if (status < 0x80 || status >= 0xF0)
            return false;
        const int kind = status & 0xF0;
        const int key = (status & 0x0F) * 128 + byte(), velocity = (kind == 0xC0 || kind == 0xD0) ? 0 : byte();
        if (kind == 0x90 && velocity > 0) {
            ++s.sounding[key];
            s.firstNoteOn = s.firstNoteOn < 0 ? tick : std::min(s.firstNoteOn, tick);
        } else if (kind == 0x80 || kind == 0x90) {
            --s.sounding[key];
            s.lastNoteOff = std::max(s.lastNoteOff, tick);
        }
    }
    return false;
}
} // namespace

class TestAudioAssets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void soundEffectsPlayWithoutClicks()
    {
        // The names are exact: the file system tells "redo.wav" from "Redo.wav".
        for (const QString name : {"Change.wav", "Pop2.wav", "redo.wav"}) {
            const QByteArray bytes = readAsset(name);
            const auto header = WaveHeader::parse(bytes);
            QVERIFY2(header && header->formatTag == WaveHeader::PcmFormat && header->bitsPerSample == 16, qPrintable(name));
            QVERIFY(header->durationMs() > 30 && header->durationMs() < 500);
            const auto* samples = reinterpret_cast<const uchar*>(bytes.constData() + header->dataOffset);
            const qint64 count = header->dataBytes / 2;
            int peak = 0;
            for (qint64 i = 0; i < count; ++i)
                peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(samples + 2 * i))));
            // Audible, yet well below clipping; faded at both ends so it neither starts nor stops with a click.
            QVERIFY2(peak > 8000 && peak < 24000, qPrintable(QString::number(peak)));
            QVERIFY(std::abs(qFromLittleEndian<qint16>(samples)) < 300);
            QVERIFY(std::abs(qFromLittleEndian<qint16>(samples + 2 * (count - 1))) < 300);
        }
    }

    void waveHeaderReadsOnlyWhatQtPlays()
    {
        const QByteArray data = "data" + le(8, 4) + QByteArray(8, '\1');
        // Chunks in any order before the samples; an odd-sized chunk is padded by one byte.
        const auto h = WaveHeader::parse(wave(1, 2, 16, "LIST" + le(3, 4) + "abc" + '\0', data));
        QVERIFY(h && h->frameCount() == 2);
        QVERIFY(WaveHeader::parse(wave(3, 1, 32, {}, data)));
        for (const QByteArray& refused : {QByteArray(), readAsset("amalia2.mid"), wave(1, 1, 16, data),
                 wave(1, 1, 16, {}, data).chopped(1), wave(1, 1, 16, {}, "data" + le(0xFFFFFFF0, 4)),
                 wave(2, 1, 4, {}, data), wave(1, 0, 16, {}, data)})
            QVERIFY(!WaveHeader::parse(refused));
    }

    void tuneLoopsAtItsEnd()
    {
        const QByteArray bytes = readAsset("amalia2.mid");
        const auto header = MidiHeader::parse(bytes);
        QVERIFY(header && header->division % 4 == 0);
        const qint64 loopTick = MusicLoop::LoopPoint * header->division / 4;

        TuneSummary tune;
        qsizetype at = 14;
        int tracks = 0;
        for (; at + 8 <= bytes.size(); ++tracks) {
            QCOMPARE(bytes.mid(at, 4), QByteArray("MTrk"));
            const qsizetype length = qFromBigEndian<quint32>(bytes.constData() + at + 4);
            QVERIFY2(readTrack(bytes.mid(at + 8, length), tune), qPrintable(QString::number(tracks)));
            at += 8 + length;
        }
        QVERIFY(at == bytes.size() && tracks == header->trackCount);
        for (const auto& [note, count] : tune.sounding)
            QCOMPARE(count, 0);
        // The song reaches the loop point before it ends and its music stops just there, so the repeat
        // runs on into the opening bar, which sounds at once.
        QVERIFY(tune.endTick >= loopTick && tune.lastNoteOff <= loopTick);
        QVERIFY(tune.lastNoteOff > loopTick - header->division / 2);
        QCOMPARE(tune.firstNoteOn, 0);
    }
};

QTEST_GUILESS_MAIN(TestAudioAssets)
#include "test_audio_assets.moc"
