#pragma once

#include <QString>

#include <optional>
#include <vector>

// What the RTF reader makes of a document: plain values, no Qt GUI types, so the reader stays in the core.

// The character properties of a run; colours are 0xRRGGBB, none meaning the automatic colour.
struct RtfCharFormat {
    // Empty: the viewer's default face (also used for text decoded from a symbol font).
    QString fontFamily;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::optional<quint32> foreground;
    std::optional<quint32> highlight;

    bool operator==(const RtfCharFormat&) const = default;
};

// Text in one format; '\t' for tabs and QChar::LineSeparator for explicit line breaks.
struct RtfRun {
    RtfCharFormat format;
    QString text;
};

enum class RtfAlignment { Left, Center, Right, Justify };

// Paragraph properties; lengths in twips.
struct RtfParagraphFormat {
    RtfAlignment alignment = RtfAlignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;

    bool operator==(const RtfParagraphFormat&) const = default;
};

struct RtfParagraph {
    RtfParagraphFormat format;
    // The format of the paragraph mark: it sizes an empty paragraph.
    RtfCharFormat markFormat;
    std::vector<RtfRun> runs;

    QString text() const
    {
        QString result;
        for (const RtfRun& run : runs)
            result += run.text;
        return result;
    }
};

struct RtfDocument {
    std::vector<RtfParagraph> paragraphs;
    // False when the input ended early, was not RTF, or hit the reader's size limits.
    bool complete = false;

    // Paragraphs joined by '\n'; for tests and searching.
    QString plainText() const
    {
        QString result;
        for (const RtfParagraph& paragraph : paragraphs) {
            if (&paragraph != &paragraphs.front())
                result += QLatin1Char('\n');
            result += paragraph.text();
        }
        return result;
    }
};
