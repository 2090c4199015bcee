#pragma once

#include "core/help/rtf_codepage_decoder.h"
#include "core/help/rtf_control_word.h"

#include <QByteArray>
#include <QString>

#include <map>

// The fonts of a document's \fonttbl: the face each number names and the code page of its text.
class RtfFontTable {
public:
    static constexpr int MaxFonts = 1024;
    static constexpr qsizetype MaxNameBytes = 256;

    // The parts of the table as the reader meets them; entries end with ';' or with their group.
    void controlWord(RtfControlWord word, int parameter);
    void text(QByteArrayView bytes, int documentCodepage, RtfCodepageDecoder& decoder);
    void endEntry(int documentCodepage, RtfCodepageDecoder& decoder);

    // Empty for unknown numbers and for symbol fonts, whose text is turned into Unicode.
    QString family(int number) const;
    int codepage(int number, int documentCodepage) const;

private:
    struct Font {
        QString family;
        int codepage = RtfCodepageDecoder::Windows1252;
    };

    // The entry being read.
    struct Pending {
        int number = 0;
        int charset = -1;
        int codepage = 0;
        QByteArray name;
    };

    std::map<int, Font> fonts_;
    Pending pending_;
};
