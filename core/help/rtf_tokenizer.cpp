#include "core/help/rtf_tokenizer.h"

#include <algorithm>

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

RtfTokenizer::Token token(RtfTokenizer::Kind kind, char symbol = 0)
{
    RtfTokenizer::Token result;
    result.kind = kind;
    result.symbol = symbol;
    return result;
}

} // namespace

RtfTokenizer::Token RtfTokenizer::next()
{
    while (pos_ < input_.size()) {
        const char c = input_[pos_];
        switch (c) {
        case '{':
            ++pos_;
            return token(Kind::GroupStart);
        case '}':
            ++pos_;
            return token(Kind::GroupEnd);
        case '\r':
        case '\n':
            ++pos_;
            continue;
        case '\\':
            if (pos_ + 1 >= input_.size()) {
                pos_ = input_.size();
                return {};
            }
            if (isLetter(input_[pos_ + 1]))
                return controlWord();
            if (input_[pos_ + 1] == '\'')
                return hexByte();
            pos_ += 2;
            return token(Kind::ControlSymbol, input_[pos_ - 1]);
        default:
            return text();
        }
    }
    return {};
}

void RtfTokenizer::skipBytes(qint64 count)
{
    pos_ += static_cast<qsizetype>(std::clamp<qint64>(count, 0, input_.size() - pos_));
}

RtfTokenizer::Token RtfTokenizer::controlWord()
{
    const qsizetype start = ++pos_;
    while (pos_ < input_.size() && isLetter(input_[pos_]))
        ++pos_;
    Token word = token(Kind::ControlWord);
    word.bytes = input_.sliced(start, std::min(pos_ - start, MaxWordLength));
    // A minus sign without digits is a broken parameter and is dropped with it.
    const bool negative = pos_ < input_.size() && input_[pos_] == '-';
    if (negative)
        ++pos_;
    if (pos_ < input_.size() && isDigit(input_[pos_])) {
        word.hasParameter = true;
        word.parameter = parameter(negative);
    }
    // A single space ends the word and is not text.
    if (pos_ < input_.size() && input_[pos_] == ' ')
        ++pos_;
    return word;
}

int RtfTokenizer::parameter(bool negative)
{
    qint64 value = 0;
    for (; pos_ < input_.size() && isDigit(input_[pos_]); ++pos_)
        value = std::min<qint64>(value * 10 + (input_[pos_] - '0'), MaxParameter);
    return static_cast<int>(negative ? -value : value);
}

RtfTokenizer::Token RtfTokenizer::hexByte()
{
    pos_ += 2;
    const int high = pos_ < input_.size() ? hexValue(input_[pos_]) : -1;
    const int low = pos_ + 1 < input_.size() ? hexValue(input_[pos_ + 1]) : -1;
    // A broken escape is dropped together with the one hex digit it has.
    if (high < 0 || low < 0) {
        pos_ += high < 0 ? 0 : 1;
        return token(Kind::ControlSymbol, '\'');
    }
    pos_ += 2;
    return token(Kind::HexByte, static_cast<char>(high * 16 + low));
}

RtfTokenizer::Token RtfTokenizer::text()
{
    const qsizetype start = pos_;
    while (pos_ < input_.size()) {
        const char c = input_[pos_];
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n')
            break;
        ++pos_;
    }
    Token run = token(Kind::Text);
    run.bytes = input_.sliced(start, pos_ - start);
    return run;
}
