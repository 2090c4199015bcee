#pragma once

#include "core/help/rtf_document.h"

class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;

// Turns what the RTF reader read into the text of a QTextDocument, for a rich-text view.
class RtfTextDocumentBuilder {
public:
    // Replaces the document's text; its default font stays for runs that name no face.
    static void build(const RtfDocument& source, QTextDocument& target);

    static QTextBlockFormat blockFormat(const RtfParagraphFormat& format);
    static QTextCharFormat charFormat(const RtfCharFormat& format);
};
