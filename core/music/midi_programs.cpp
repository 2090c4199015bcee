#include "core/music/midi_programs.h"

#include "core/music/midi_track_cursor.h"

#include <QtEndian>

#include <array>

namespace {
constexpr qsizetype ChunkHeaderSize = 8;
constexpr int BankSelect = 0;
} // namespace

std::set<MidiPrograms::Preset> MidiPrograms::scan(const QByteArray& file)
{
    std::set<Preset> presets;
    if (file.size() < ChunkHeaderSize || !file.startsWith("MThd"))
        return presets;
    qsizetype at = 0;
    while (at + ChunkHeaderSize <= file.size()) {
        const qint64 length = qFromBigEndian<quint32>(file.constData() + at + 4);
        const qsizetype body = at + ChunkHeaderSize;
        const qsizetype end = length > file.size() - body ? file.size() : body + static_cast<qsizetype>(length);
        if (file.mid(at, 4) == "MTrk")
            scanTrack(file, body, end, presets);
        at = end;
    }
    return presets;
}

void MidiPrograms::scanTrack(const QByteArray& file, qsizetype begin, qsizetype end, std::set<Preset>& presets)
{
    MidiTrackCursor track(file, begin, end);
    std::array<int, 16> banks{};
    int status = 0;
    qint64 value = 0;
    while (!track.atEnd()) {
        if (!track.number(value))
            return;
        if (track.peek() >= 0x80)
            status = track.next();
        if (status == 0xFF) {
            track.next();
            status = 0;
            if (!track.number(value) || !track.skip(value))
                return;
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            status = 0;
            if (!track.number(value) || !track.skip(value))
                return;
            continue;
        }
        if (status < 0x80 || status > 0xEF)
            return;
        const int kind = status & 0xF0, channel = status & 0x0F;
        const int first = track.next();
        const int second = (kind == 0xC0 || kind == 0xD0) ? 0 : track.next();
        if (first < 0 || second < 0)
            return;
        if (kind == 0xB0 && first == BankSelect)
            banks[channel] = second;
        if (kind == 0xC0)
            presets.insert({channel == PercussionChannel ? PercussionBank : banks[channel], first});
    }
}
