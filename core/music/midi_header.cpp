#include "core/music/midi_header.h"

#include <QtEndian>

namespace {
constexpr qsizetype HeaderSize = 14;
constexpr quint32 MinimumLength = 6;

quint32 bigEndian(const QByteArray& bytes, qsizetype at, int size)
{
    const char* data = bytes.constData() + at;
    return size == 2 ? qFromBigEndian<quint16>(data) : qFromBigEndian<quint32>(data);
}
} // namespace

std::optional<MidiHeader> MidiHeader::parse(const QByteArray& bytes)
{
    if (bytes.size() < HeaderSize || !bytes.startsWith("MThd"))
        return std::nullopt;
    // Later versions of the format may lengthen the chunk; the extra bytes must still be there.
    const quint32 length = bigEndian(bytes, 4, 4);
    if (length < MinimumLength || length > static_cast<quint32>(bytes.size() - 8))
        return std::nullopt;
    MidiHeader header;
    header.format = static_cast<int>(bigEndian(bytes, 8, 2));
    header.trackCount = static_cast<int>(bigEndian(bytes, 10, 2));
    const quint32 division = bigEndian(bytes, 12, 2);
    if (header.format > 2 || header.trackCount == 0 || (header.format == 0 && header.trackCount != 1))
        return std::nullopt;
    // The top bit selects SMPTE frames instead of ticks per quarter note.
    if ((division & 0x8000U) != 0 || division == 0)
        return std::nullopt;
    header.division = static_cast<int>(division);
    return header;
}
