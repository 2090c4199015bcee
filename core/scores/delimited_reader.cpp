#include "core/scores/delimited_reader.h"

#include <charconv>
#include <limits>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

void DelimitedReader::skipBlanks()
{
    while (!atEnd() && (peek() == ' ' || peek() == '\t'))
        ++pos_;
}

void DelimitedReader::skipDigits()
{
    while (!atEnd() && isDigit(peek()))
        ++pos_;
}

void DelimitedReader::consumeDelimiter()
{
    if (atEnd())
        return;
    const char c = text_[pos_++];
    if (c == '\r' && !atEnd() && peek() == '\n')
        ++pos_;
}

QByteArray DelimitedReader::readText()
{
    skipBlanks();
    QByteArray field;
    if (!atEnd() && peek() == '"') {
        const qsizetype start = ++pos_;
        while (!atEnd() && !atLineEnd() && peek() != '"')
            ++pos_;
        field = text_.mid(start, pos_ - start);
        // Whatever follows the closing quote up to the delimiter is not part of the field.
        while (!atDelimiter())
            ++pos_;
    } else {
        const qsizetype start = pos_;
        qsizetype end = pos_;
        while (!atDelimiter()) {
            if (peek() != ' ' && peek() != '\t')
                end = pos_ + 1;
            ++pos_;
        }
        field = text_.mid(start, end - start);
    }
    consumeDelimiter();
    return field;
}

std::optional<double> DelimitedReader::readNumber()
{
    skipBlanks();
    const qsizetype start = pos_;
    if (!atEnd() && (peek() == '+' || peek() == '-'))
        ++pos_;
    const qsizetype mantissa = pos_;
    skipDigits();
    if (!atEnd() && peek() == '.') {
        ++pos_;
        skipDigits();
    }
    const qsizetype mantissaLength = pos_ - mantissa;
    if (mantissaLength == 0 || (mantissaLength == 1 && text_[mantissa] == '.'))
        return std::nullopt;
    if (!atEnd() && (peek() == 'E' || peek() == 'e')) {
        ++pos_;
        if (!atEnd() && (peek() == '+' || peek() == '-'))
            ++pos_;
        const qsizetype exponent = pos_;
        skipDigits();
        if (pos_ == exponent)
            return std::nullopt;
    }
    const qsizetype end = pos_;
    skipBlanks();
    if (!atDelimiter() || (atEnd() && endIsCut_))
        return std::nullopt;
    consumeDelimiter();

    // from_chars takes no '+' and is independent of the C locale.
    const char* first = text_.constData() + start;
    if (*first == '+')
        ++first;
    double value = 0.0;
    const auto [ptr, error] = std::from_chars(first, text_.constData() + end, value);
    if (error != std::errc{} || ptr != text_.constData() + end)
        return std::numeric_limits<double>::quiet_NaN();
    return value;
}
