#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// The format of a RIFF/WAVE file, read before the file is handed to the sound output,
// so a file the output cannot decode is skipped quietly instead of warned about.
class WaveHeader {
public:
    static constexpr int PcmFormat = 1;
    static constexpr int FloatFormat = 3;

    int formatTag = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    // Where the samples start in the file, and how many bytes of them there are.
    qsizetype dataOffset = 0;
    qsizetype dataBytes = 0;

    // Nothing unless the bytes hold a RIFF/WAVE file with a "fmt " chunk before a complete "data" chunk
    // of integer PCM (8 or 16 bits) or 32-bit float samples.
    static std::optional<WaveHeader> parse(const QByteArray& bytes);
    // The same for a file; nothing too for a missing or oversized file, or for anything but a regular file.
    static std::optional<WaveHeader> readFile(const QString& path);

    qint64 frameCount() const { return dataBytes / (channels * bitsPerSample / 8); }
    qint64 durationMs() const { return frameCount() * 1000 / sampleRate; }
};
