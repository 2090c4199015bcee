#include "core/scores/windows_1252.h"

#include <array>

namespace {

// 0x80..0x9F. The five unassigned bytes map to the C1 controls of the same number, as Windows does,
// so every byte survives a round trip.
constexpr std::array<char16_t, 32> HighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char16_t BlockStart = 0x80;
constexpr char16_t BlockEnd = 0xA0;

// The byte of a character, or -1 when the set has none.
int byteOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < BlockStart || (u >= BlockEnd && u <= 0xFF))
        return u;
    for (std::size_t i = 0; i < HighBlock.size(); ++i) {
        if (HighBlock[i] == u)
            return BlockStart + static_cast<int>(i);
    }
    return -1;
}

} // namespace

QString Windows1252::decode(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        text.append(u >= BlockStart && u < BlockEnd ? QChar(HighBlock[u - BlockStart]) : QChar(u));
    }
    return text;
}

QByteArray Windows1252::encode(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const int b = byteOf(c);
        bytes.append(b < 0 ? '?' : static_cast<char>(b));
    }
    return bytes;
}

bool Windows1252::canEncode(QChar c)
{
    return byteOf(c) >= 0;
}
