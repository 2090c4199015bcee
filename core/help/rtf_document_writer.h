#pragma once

#include "core/help/rtf_document.h"

#include <QStringView>

// Collects the reader's text into paragraphs and runs, within fixed limits on the size of the result.
class RtfDocumentWriter {
public:
    // Far beyond any help page; they bound the memory a hostile file can make the reader use and the work
    // of laying out the result, which for format changes within a paragraph grows with their square.
    static constexpr qsizetype MaxCharacters = 1 << 17;
    static constexpr qsizetype MaxRuns = 1 << 12;
    static constexpr qsizetype MaxParagraphs = 1 << 13;
    // Longer words get an invisible break opportunity (U+200B) after every this many characters.
    static constexpr qsizetype MaxWordLength = 256;

    // Control characters are dropped; '\t' and QChar::LineSeparator are kept. Adjacent text in the same
    // format makes one run.
    void addText(QStringView text, const RtfCharFormat& format);
    void endParagraph(const RtfParagraphFormat& format, const RtfCharFormat& markFormat);
    // The text of a bullet is shown once per paragraph, however many ways the writer spelled it.
    bool takeBullet();
    // True once a limit was reached; the rest of the input is then ignored.
    bool full() const { return full_; }
    // Ends a last paragraph that had no \par, if it holds text.
    RtfDocument finish(const RtfParagraphFormat& format, const RtfCharFormat& markFormat, bool complete);

private:
    void pushParagraph(const RtfParagraphFormat& format, const RtfCharFormat& markFormat);

    RtfDocument document_;
    RtfParagraph current_;
    qsizetype characters_ = 0;
    qsizetype runs_ = 0;
    // Characters since the last break opportunity in the paragraph.
    qsizetype wordLength_ = 0;
    bool bulletTaken_ = false;
    bool full_ = false;
};
