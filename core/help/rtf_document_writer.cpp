#include "core/help/rtf_document_writer.h"

#include <utility>

namespace {

bool keep(QChar c)
{
    const char16_t u = c.unicode();
    if (u == u'\t' || u == QChar::LineSeparator)
        return true;
    return u >= 0x20 && !(u >= 0x7F && u < 0xA0) && u != QChar::ParagraphSeparator;
}

} // namespace

void RtfDocumentWriter::addText(QStringView text, const RtfCharFormat& format)
{
    if (full_ || text.isEmpty())
        return;
    if (current_.runs.empty() || !(current_.runs.back().format == format)) {
        if (runs_ >= MaxRuns) {
            full_ = true;
            return;
        }
        ++runs_;
        current_.runs.push_back({format, {}});
    }
    QString& target = current_.runs.back().text;
    for (const QChar c : text) {
        if (characters_ >= MaxCharacters) {
            full_ = true;
            return;
        }
        if (keep(c)) {
            target += c;
            ++characters_;
        }
    }
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
    // Runs left empty by dropped characters carry nothing.
    std::erase_if(current_.runs, [](const RtfRun& run) { return run.text.isEmpty(); });
    document_.paragraphs.push_back(std::exchange(current_, {}));
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
