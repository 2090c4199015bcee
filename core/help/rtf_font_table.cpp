#include "core/help/rtf_font_table.h"

#include <utility>

void RtfFontTable::controlWord(RtfControlWord word, int parameter)
{
    switch (word) {
    case RtfControlWord::F:
        pending_.number = parameter;
        break;
    case RtfControlWord::Fcharset:
        pending_.charset = parameter;
        break;
    case RtfControlWord::Cpg:
        pending_.codepage = parameter;
        break;
    default:
        break;
    }
}

void RtfFontTable::text(QByteArrayView bytes, int documentCodepage, RtfCodepageDecoder& decoder)
{
    for (const char c : bytes) {
        if (c == ';')
            endEntry(documentCodepage, decoder);
        else if (pending_.name.size() < MaxNameBytes)
            pending_.name += c;
    }
}

void RtfFontTable::endEntry(int documentCodepage, RtfCodepageDecoder& decoder)
{
    const Pending entry = std::exchange(pending_, {});
    if (entry.name.isEmpty() || (std::ssize(fonts_) >= MaxFonts && !fonts_.contains(entry.number)))
        return;
    const QString name = decoder.decode(entry.name, RtfCodepageDecoder::Windows1252).trimmed();
    Font font;
    font.codepage = entry.codepage > 0 ? entry.codepage : RtfCodepageDecoder::forCharset(entry.charset, documentCodepage, name);
    const bool symbol = font.codepage == RtfCodepageDecoder::Symbol || font.codepage == RtfCodepageDecoder::Wingdings;
    // A name in a far-eastern code page is decoded in it.
    if (!symbol)
        font.family = decoder.decode(entry.name, font.codepage).trimmed();
    fonts_[entry.number] = font;
}

QString RtfFontTable::family(int number) const
{
    const auto font = fonts_.find(number);
    return font != fonts_.end() ? font->second.family : QString();
}

int RtfFontTable::codepage(int number, int documentCodepage) const
{
    const auto font = fonts_.find(number);
    return font != fonts_.end() ? font->second.codepage : documentCodepage;
}
