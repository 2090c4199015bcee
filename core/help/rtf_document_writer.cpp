#include "core/help/rtf_document_writer.h"

#include <algorithm>
#include <utility>

namespace {

bool keep(QChar c)
{
    const char16_t u = c.unicode();
    if (u == u'\t' || u == QChar::LineSeparator)
        return true;
    return u >= 0x20 && !(u >= 0x7F && u < 0xA0) && u != QChar::ParagraphSeparator;
}

constexpr QChar ZeroWidthSpace(0x200B);

bool mayBreakAfter(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar::LineSeparator || c == ZeroWidthSpace;
}

} // namespace

void RtfDocumentWriter::addText(QStringView text, const RtfCharFormat& format)
{
    if (full_)
        return;
    const qsizetype room = MaxCharacters - characters_;
    QString kept;
    for (const QChar c : text) {
        // One character past the room is enough to know the limit is reached.
        if (kept.size() > room)
            break;
        if (!keep(c))
            continue;
        // The layout rescans a word longer than a line for every line it fills: a break opportunity now
        // and then keeps that linear, and a word this long wraps anywhere anyway.
        if (mayBreakAfter(c)) {
            wordLength_ = 0;
        } else if (++wordLength_ > MaxWordLength) {
            kept += ZeroWidthSpace;
            wordLength_ = 1;
        }
        kept += c;
    }
    if (kept.isEmpty())
        return;
    if (room <= 0) {
        full_ = true;
        return;
    }
    // A run only starts where the format changes, so formatting that changes nothing costs no run.
    if (current_.runs.empty() || !(current_.runs.back().format == format)) {
        if (runs_ >= MaxRuns) {
            full_ = true;
            return;
        }
        ++runs_;
        current_.runs.push_back({format, {}});
    }
    current_.runs.back().text += QStringView(kept).left(room);
    characters_ += std::min(room, kept.size());
    if (kept.size() > room)
        full_ = true;
}

void RtfDocumentWriter::endParagraph(const RtfParagraphFormat& format, const RtfCharFormat& markFormat)
{
    if (full_)
        return;
    if (std::ssize(document_.paragraphs) >= MaxParagraphs) {
        full_ = true;
        return;
    }
    pushParagraph(format, markFormat);
}

void RtfDocumentWriter::pushParagraph(const RtfParagraphFormat& format, const RtfCharFormat& markFormat)
{
    current_.format = format;
    current_.markFormat = markFormat;
    document_.paragraphs.push_back(std::exchange(current_, {}));
    wordLength_ = 0;
    bulletTaken_ = false;
}

bool RtfDocumentWriter::takeBullet()
{
    return !std::exchange(bulletTaken_, true);
}

RtfDocument RtfDocumentWriter::finish(const RtfParagraphFormat& format, const RtfCharFormat& markFormat, bool complete)
{
    // Text cut off by a limit is kept too: a partial page is shown.
    if (!current_.text().isEmpty())
        pushParagraph(format, markFormat);
    document_.complete = complete && !full_;
    return std::exchange(document_, {});
}
