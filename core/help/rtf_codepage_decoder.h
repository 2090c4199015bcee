#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>

// Turns the 8-bit text of an RTF document into Unicode in the code page of its font.
// Windows-1252 is built in and is the fallback for every code page this platform cannot decode.
class RtfCodepageDecoder {
public:
    static constexpr int Windows1252 = 1252;
    // Symbol-charset fonts keep their own glyph layout; Windows calls that code page 42.
    static constexpr int Symbol = 42;
    // Not a Windows number: Wingdings shares the symbol charset but has its own bullets.
    static constexpr int Wingdings = -42;

    // The code page of a font table entry's \fcharset; charset 1 and unknown ones take the document's.
    static int forCharset(int charset, int documentCodepage, QStringView fontName);

    QString decode(QByteArrayView bytes, int codepage);

private:
    static QString decode1252(QByteArrayView bytes);
    static QString decodeSymbol(QByteArrayView bytes, int codepage);
    QStringDecoder* decoderFor(int codepage);

    // One decoder per code page met; bounded by the table of supported code pages.
    std::map<int, QStringDecoder> decoders_;
};
