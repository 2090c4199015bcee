#pragma once

#include <QByteArrayView>

// The control words the reader acts on; every other word is ignored, as RTF asks.
enum class RtfControlWord {
    Unknown,
    // Document and font table.
    Ansi, Mac, Pc, Pca, Ansicpg, Deff, F, Fcharset, Cpg,
    // Colour table.
    Red, Green, Blue,
    // Character formatting.
    Plain, B, I, Ul, Ulnone, UlStyle, Strike, Fs, Cf, Highlight,
    // Paragraphs and breaks.
    Par, Pard, Line, Tab, Cell, Ql, Qc, Qr, Qj, Li, Ri, Fi, Sb, Sa,
    // Unicode.
    U, Uc, Bin,
    // Destinations.
    Fonttbl, Colortbl, BulletText, SkippedDestination,
    // Special characters.
    Emdash, Endash, Bullet, Lquote, Rquote, Ldblquote, Rdblquote, Emspace, Enspace, Qmspace,
};

// The word for a name as the tokenizer gives it; names are case-sensitive.
RtfControlWord rtfControlWord(QByteArrayView name);
