#include "core/music/wave_header.h"

#include <QtEndian>

#include "core/files/safe_file_reader.h"

namespace {
// The game's sounds are a few kilobytes; anything this big is not one of them.
constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
constexpr qsizetype RiffHeaderSize = 12;
constexpr qsizetype ChunkHeaderSize = 8;
constexpr quint32 FmtSize = 16;

quint32 littleEndian(const QByteArray& bytes, qsizetype at, int size)
{
    const char* data = bytes.constData() + at;
    return size == 2 ? qFromLittleEndian<quint16>(data) : qFromLittleEndian<quint32>(data);
}

bool readFormat(const QByteArray& bytes, qsizetype at, WaveHeader& header)
{
    header.formatTag = static_cast<int>(littleEndian(bytes, at, 2));
    header.channels = static_cast<int>(littleEndian(bytes, at + 2, 2));
    header.sampleRate = static_cast<int>(littleEndian(bytes, at + 4, 4));
    header.bitsPerSample = static_cast<int>(littleEndian(bytes, at + 14, 2));
    const bool pcm = header.formatTag == WaveHeader::PcmFormat
        && (header.bitsPerSample == 8 || header.bitsPerSample == 16);
    const bool floats = header.formatTag == WaveHeader::FloatFormat && header.bitsPerSample == 32;
    return (pcm || floats) && header.channels >= 1 && header.channels <= 8 && header.sampleRate >= 1000
        && header.sampleRate <= 192000;
}
} // namespace

std::optional<WaveHeader> WaveHeader::parse(const QByteArray& bytes)
{
    if (bytes.size() < RiffHeaderSize || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    WaveHeader header;
    bool haveFormat = false;
    qsizetype at = RiffHeaderSize;
    while (at + ChunkHeaderSize <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qint64 size = littleEndian(bytes, at + 4, 4);
        const qsizetype body = at + ChunkHeaderSize;
        if (size > bytes.size() - body)
            return std::nullopt;
        if (id == "fmt ") {
            if (size < FmtSize || !readFormat(bytes, body, header))
                return std::nullopt;
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return std::nullopt;
            header.dataOffset = body;
            header.dataBytes = static_cast<qsizetype>(size);
            return header;
        }
        // Chunks are padded to an even length.
        at = body + static_cast<qsizetype>(size) + (size & 1);
    }
    return std::nullopt;
}

std::optional<WaveHeader> WaveHeader::readFile(const QString& path)
{
    const SafeFileReader::Result file = SafeFileReader::read(path, MaxFileBytes);
    return file.ok() ? parse(file.bytes) : std::nullopt;
}
