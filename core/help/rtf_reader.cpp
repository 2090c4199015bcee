#include "core/help/rtf_reader.h"

#include <algorithm>
#include <utility>

namespace {

using Kind = RtfTokenizer::Kind;
using W = RtfControlWord;

// A page is at most 22 inches wide in RTF; indents and spacing beyond that are clamped.
constexpr int MaxTwips = 31680;
// Sizes from 1 to 200 points; \fs without a number is 12 points.
constexpr int MinHalfPoints = 2;
constexpr int MaxHalfPoints = 400;
constexpr int DefaultHalfPoints = 24;
// Words are flushed in pieces of this size, so a long text never waits whole in the buffer.
constexpr qsizetype FlushBytes = 4096;

// The start of the RTF after blanks and a UTF-8 byte order mark, or -1.
qsizetype rtfStart(QByteArrayView input)
{
    qsizetype pos = input.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < input.size() && (input[pos] == ' ' || input[pos] == '\t' || input[pos] == '\r' || input[pos] == '\n'))
        ++pos;
    return input.sliced(pos).startsWith("{\\rtf") ? pos : -1;
}

bool switchedOn(const RtfTokenizer::Token& token)
{
    return !token.hasParameter || token.parameter != 0;
}

int twips(int value)
{
    return std::clamp(value, -MaxTwips, MaxTwips);
}

int spacing(int value)
{
    return std::clamp(value, 0, MaxTwips);
}

} // namespace

RtfDocument RtfReader::read(QByteArrayView rtf)
{
    const qsizetype start = rtfStart(rtf);
    if (start < 0)
        return {};
    return RtfReader(rtf.sliced(start)).run();
}

RtfDocument RtfReader::run()
{
    stack_.reserve(MaxDepth);
    bool complete = false;
    while (!writer_.full()) {
        const RtfTokenizer::Token token = tokens_.next();
        if (token.kind == Kind::End)
            break;
        if (!handle(token)) {
            complete = true;
            break;
        }
    }
    const GroupState& last = stack_.empty() ? finalState_ : state();
    flushBytes();
    return writer_.finish(last.paragraph, resolvedFormat(last), complete);
}

bool RtfReader::handle(const RtfTokenizer::Token& token)
{
    const bool groupStart = std::exchange(atGroupStart_, false);
    if (token.kind == Kind::GroupStart) {
        openGroup();
        return true;
    }
    if (token.kind == Kind::GroupEnd)
        return closeGroup();
    // Binary data is passed over wherever it stands, or its bytes would be read as braces and words.
    if (token.kind == Kind::ControlWord && rtfControlWord(token.bytes) == W::Bin) {
        tokens_.skipBytes(token.hasParameter ? token.parameter : 0);
        unicodeSkip_ = std::max(unicodeSkip_ - 1, 0);
        return true;
    }
    if (skippedDepth_ > 0 || state().destination == Destination::Skip)
        return true;
    if (token.kind == Kind::Text) {
        text(token.bytes);
        return true;
    }
    if (unicodeSkip_ > 0) {
        --unicodeSkip_;
        return true;
    }
    switch (token.kind) {
    case Kind::HexByte:
        text(QByteArrayView(&token.symbol, 1));
        break;
    case Kind::ControlWord:
        controlWord(token);
        break;
    case Kind::ControlSymbol:
        // \* marks a destination that may be skipped when it is not understood; none that is starred is shown.
        if (token.symbol == '*') {
            if (groupStart)
                state().destination = Destination::Skip;
        } else {
            controlSymbol(token.symbol);
        }
        break;
    default:
        break;
    }
    return true;
}

void RtfReader::openGroup()
{
    unicodeSkip_ = 0;
    if (skippedDepth_ > 0 || std::ssize(stack_) >= MaxDepth) {
        ++skippedDepth_;
        return;
    }
    stack_.push_back(stack_.empty() ? GroupState{} : stack_.back());
    atGroupStart_ = true;
}

bool RtfReader::closeGroup()
{
    unicodeSkip_ = 0;
    if (skippedDepth_ > 0) {
        --skippedDepth_;
        return true;
    }
    if (state().destination == Destination::FontTable)
        fonts_.endEntry(documentCodepage_, decoder_);
    finalState_ = std::move(stack_.back());
    stack_.pop_back();
    return !stack_.empty();
}

void RtfReader::text(QByteArrayView bytes)
{
    const qsizetype skipped = std::min<qsizetype>(unicodeSkip_, bytes.size());
    unicodeSkip_ -= static_cast<int>(skipped);
    bytes = bytes.sliced(skipped);
    switch (state().destination) {
    case Destination::Body:
    case Destination::Bullet:
        emitBytes(bytes);
        break;
    case Destination::FontTable:
        fonts_.text(bytes, documentCodepage_, decoder_);
        break;
    case Destination::ColourTable:
        colours_.text(bytes);
        break;
    case Destination::Skip:
        break;
    }
}

void RtfReader::controlWord(const RtfTokenizer::Token& token)
{
    const RtfControlWord word = rtfControlWord(token.bytes);
    if (destinationWord(word))
        return;
    switch (state().destination) {
    case Destination::FontTable:
        fonts_.controlWord(word, token.hasParameter ? token.parameter : 0);
        break;
    case Destination::ColourTable:
        colours_.controlWord(word, token.hasParameter ? token.parameter : 0);
        break;
    default:
        bodyWord(word, token);
        break;
    }
}

bool RtfReader::destinationWord(RtfControlWord word)
{
    Destination& destination = state().destination;
    switch (word) {
    case W::Fonttbl:
        destination = Destination::FontTable;
        return true;
    case W::Colortbl:
        destination = Destination::ColourTable;
        return true;
    case W::SkippedDestination:
        destination = Destination::Skip;
        return true;
    case W::BulletText:
        if (destination == Destination::Body)
            destination = writer_.takeBullet() ? Destination::Bullet : Destination::Skip;
        return true;
    default:
        return false;
    }
}

void RtfReader::bodyWord(RtfControlWord word, const RtfTokenizer::Token& token)
{
    const int parameter = token.hasParameter ? token.parameter : 0;
    switch (word) {
    case W::Ansi:
        documentCodepage_ = RtfCodepageDecoder::Windows1252;
        return;
    case W::Mac:
        documentCodepage_ = 10000;
        return;
    case W::Pc:
        documentCodepage_ = 437;
        return;
    case W::Pca:
        documentCodepage_ = 850;
        return;
    case W::Ansicpg:
        documentCodepage_ = parameter;
        return;
    case W::Deff:
        defaultFont_ = parameter;
        return;
    case W::U:
        // Values above 32767 are written negative.
        if (const int value = parameter < 0 ? parameter + 65536 : parameter; value > 0 && value <= 0xFFFF)
            emitText(QString(QChar(static_cast<char16_t>(value))));
        unicodeSkip_ = state().unicodeSkip;
        return;
    case W::Uc:
        state().unicodeSkip = token.hasParameter ? std::clamp(parameter, 0, 16) : 1;
        return;
    default:
        break;
    }
    if (!characterWord(word, token) && !paragraphWord(word, parameter))
        specialCharacterWord(word);
}

bool RtfReader::characterWord(RtfControlWord word, const RtfTokenizer::Token& token)
{
    RtfCharFormat& format = state().format;
    const bool on = switchedOn(token);
    switch (word) {
    case W::Plain:
        format = {};
        state().font = -1;
        break;
    case W::F:
        state().font = token.parameter;
        break;
    case W::B:
        format.bold = on;
        break;
    case W::I:
        format.italic = on;
        break;
    case W::Ul:
    case W::UlStyle:
        format.underline = on;
        break;
    case W::Ulnone:
        format.underline = false;
        break;
    case W::Strike:
        format.strike = on;
        break;
    case W::Fs:
        format.halfPoints = token.hasParameter ? std::clamp(token.parameter, MinHalfPoints, MaxHalfPoints) : DefaultHalfPoints;
        break;
    case W::Cf:
        format.foreground = colours_.colour(token.parameter);
        break;
    case W::Highlight:
        format.highlight = colours_.colour(token.parameter);
        break;
    default:
        return false;
    }
    return true;
}

bool RtfReader::paragraphWord(RtfControlWord word, int parameter)
{
    RtfParagraphFormat& paragraph = state().paragraph;
    switch (word) {
    case W::Par:
        endParagraph();
        break;
    case W::Pard:
        paragraph = {};
        break;
    case W::Ql:
        paragraph.alignment = RtfAlignment::Left;
        break;
    case W::Qc:
        paragraph.alignment = RtfAlignment::Center;
        break;
    case W::Qr:
        paragraph.alignment = RtfAlignment::Right;
        break;
    case W::Qj:
        paragraph.alignment = RtfAlignment::Justify;
        break;
    case W::Li:
        paragraph.leftIndent = twips(parameter);
        break;
    case W::Ri:
        paragraph.rightIndent = twips(parameter);
        break;
    case W::Fi:
        paragraph.firstLineIndent = twips(parameter);
        break;
    case W::Sb:
        paragraph.spaceBefore = spacing(parameter);
        break;
    case W::Sa:
        paragraph.spaceAfter = spacing(parameter);
        break;
    default:
        return false;
    }
    return true;
}

bool RtfReader::specialCharacterWord(RtfControlWord word)
{
    char16_t c = 0;
    switch (word) {
    case W::Line:
        c = QChar::LineSeparator;
        break;
    // Table cells become tab-separated text; rows end paragraphs.
    case W::Tab:
    case W::Cell:
        c = u'\t';
        break;
    case W::Emdash:
        c = u'\u2014';
        break;
    case W::Endash:
        c = u'\u2013';
        break;
    case W::Bullet:
        c = u'\u2022';
        break;
    case W::Lquote:
        c = u'\u2018';
        break;
    case W::Rquote:
        c = u'\u2019';
        break;
    case W::Ldblquote:
        c = u'\u201C';
        break;
    case W::Rdblquote:
        c = u'\u201D';
        break;
    case W::Emspace:
        c = u'\u2003';
        break;
    case W::Enspace:
        c = u'\u2002';
        break;
    case W::Qmspace:
        c = u'\u2005';
        break;
    default:
        return false;
    }
    emitText(QString(QChar(c)));
    return true;
}

void RtfReader::controlSymbol(char symbol)
{
    if (state().destination != Destination::Body && state().destination != Destination::Bullet)
        return;
    switch (symbol) {
    case '~':
        emitText(QString(QChar(0x00A0)));
        break;
    case '-':
        emitText(QString(QChar(0x00AD)));
        break;
    case '_':
        emitText(QString(QChar(0x2011)));
        break;
    case '{':
    case '}':
    case '\\':
        emitBytes(QByteArrayView(&symbol, 1));
        break;
    // A backslash before a line end is a paragraph mark.
    case '\r':
    case '\n':
        endParagraph();
        break;
    default:
        break;
    }
}

void RtfReader::emitBytes(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    const int page = codepage(state());
    RtfCharFormat format = resolvedFormat(state());
    if (!pendingBytes_.isEmpty() && (page != pendingCodepage_ || !(format == pendingFormat_)))
        flushBytes();
    pendingCodepage_ = page;
    pendingFormat_ = std::move(format);
    pendingBytes_ += bytes;
    if (pendingBytes_.size() >= FlushBytes)
        flushBytes();
}

void RtfReader::emitText(QStringView text)
{
    flushBytes();
    writer_.addText(text, resolvedFormat(state()));
}

void RtfReader::flushBytes()
{
    if (pendingBytes_.isEmpty())
        return;
    writer_.addText(decoder_.decode(pendingBytes_, pendingCodepage_), pendingFormat_);
    pendingBytes_.clear();
}

void RtfReader::endParagraph()
{
    flushBytes();
    writer_.endParagraph(state().paragraph, resolvedFormat(state()));
}

RtfCharFormat RtfReader::resolvedFormat(const GroupState& group) const
{
    RtfCharFormat format = group.format;
    format.fontFamily = fonts_.family(group.font < 0 ? defaultFont_ : group.font);
    return format;
}

int RtfReader::codepage(const GroupState& group) const
{
    return fonts_.codepage(group.font < 0 ? defaultFont_ : group.font, documentCodepage_);
}
