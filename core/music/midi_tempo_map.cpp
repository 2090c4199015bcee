#include "core/music/midi_tempo_map.h"

#include "core/music/midi_header.h"
#include "core/music/midi_track_cursor.h"

#include <algorithm>

namespace {
constexpr qsizetype ChunkHeaderSize = 8;
constexpr int MetaEvent = 0xFF;
constexpr int SetTempo = 0x51;
constexpr int EndOfTrack = 0x2F;

quint32 bigEndian(const QByteArray& bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | static_cast<quint8>(bytes[at + i]);
    return value;
}
} // namespace

std::optional<MidiTempoMap> MidiTempoMap::parse(const QByteArray& file)
{
    const std::optional<MidiHeader> header = MidiHeader::parse(file);
    if (!header)
        return std::nullopt;
    MidiTempoMap map;
    map.division_ = header->division;
    int tracks = 0;
    qsizetype at = ChunkHeaderSize + static_cast<qsizetype>(bigEndian(file, 4, 4));
    while (at < file.size()) {
        if (file.size() - at < ChunkHeaderSize)
            return std::nullopt;
        const qint64 length = bigEndian(file, at + 4, 4);
        const qsizetype body = at + ChunkHeaderSize;
        if (length > file.size() - body)
            return std::nullopt;
        const qsizetype end = body + static_cast<qsizetype>(length);
        // Chunks of other kinds are skipped, as readers of the format must.
        if (file.mid(at, 4) == "MTrk") {
            if (!map.readTrack(file, body, end))
                return std::nullopt;
            ++tracks;
        }
        at = end;
    }
    if (tracks == 0)
        return std::nullopt;
    // Tracks are read one after the other; a change at the same tick in a later track wins.
    std::stable_sort(map.changes_.begin(), map.changes_.end(),
        [](const Change& a, const Change& b) { return a.tick < b.tick; });
    std::vector<Change> merged{{0, DefaultMicrosPerQuarter}};
    for (const Change& change : map.changes_) {
        if (change.tick == merged.back().tick)
            merged.back() = change;
        else
            merged.push_back(change);
    }
    map.changes_ = std::move(merged);
    return map;
}

bool MidiTempoMap::readTrack(const QByteArray& file, qsizetype begin, qsizetype end)
{
    MidiTrackCursor track(file, begin, end);
    qint64 tick = 0;
    qint64 value = 0;
    int status = 0;
    while (!track.atEnd()) {
        if (!track.number(value))
            return false;
        tick += value;
        endTick_ = std::max(endTick_, tick);
        if (track.peek() >= 0x80)
            status = track.next();
        if (status == MetaEvent) {
            const int type = track.next();
            status = 0;
            if (type < 0 || !track.number(value))
                return false;
            if (type == EndOfTrack)
                return true;
            if (type == SetTempo && value == 3) {
                qint64 micros = 0;
                for (int i = 0; i < 3; ++i) {
                    const int b = track.next();
                    if (b < 0)
                        return false;
                    micros = micros << 8 | b;
                }
                // A zero tempo would stop time.
                if (micros == 0)
                    return false;
                changes_.push_back({tick, micros});
            } else if (!track.skip(value)) {
                return false;
            }
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            status = 0;
            if (!track.number(value) || !track.skip(value))
                return false;
            continue;
        }
        if (status < 0x80 || status > 0xEF)
            return false;
        const int kind = status & 0xF0;
        const int dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        for (int i = 0; i < dataBytes; ++i) {
            if (track.next() < 0)
                return false;
        }
    }
    return true;
}
