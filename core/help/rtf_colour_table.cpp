#include "core/help/rtf_colour_table.h"

#include <algorithm>

void RtfColourTable::controlWord(RtfControlWord word, int parameter)
{
    const int component = std::clamp(parameter, 0, 255);
    switch (word) {
    case RtfControlWord::Red:
        red_ = component;
        break;
    case RtfControlWord::Green:
        green_ = component;
        break;
    case RtfControlWord::Blue:
        blue_ = component;
        break;
    default:
        return;
    }
    given_ = true;
}

void RtfColourTable::text(QByteArrayView bytes)
{
    for (qsizetype n = bytes.count(';'); n > 0; --n)
        endEntry();
}

std::optional<quint32> RtfColourTable::colour(int index) const
{
    return index >= 0 && index < std::ssize(colours_) ? colours_[index] : std::nullopt;
}

void RtfColourTable::endEntry()
{
    if (std::ssize(colours_) < MaxColours)
        colours_.push_back(given_ ? std::optional(static_cast<quint32>(red_ << 16 | green_ << 8 | blue_)) : std::nullopt);
    red_ = green_ = blue_ = 0;
    given_ = false;
}
