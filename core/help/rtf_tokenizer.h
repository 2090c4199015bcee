#pragma once

#include <QByteArrayView>

// Splits RTF bytes into groups, control words and symbols, hex escapes and plain text.
// It never reads past the input; every token is made in time linear in its length.
class RtfTokenizer {
public:
    // Control words are at most this long in any writer; longer ones are cut, so they match nothing.
    static constexpr qsizetype MaxWordLength = 32;
    // Parameters saturate here: no word needs more, and the arithmetic downstream cannot overflow.
    static constexpr int MaxParameter = 1 << 30;

    enum class Kind { End, GroupStart, GroupEnd, ControlWord, ControlSymbol, HexByte, Text };

    struct Token {
        Kind kind = Kind::End;
        // The name of a control word, or the bytes of a text run (no CR, LF, braces or backslashes).
        QByteArrayView bytes;
        bool hasParameter = false;
        int parameter = 0;
        // The character of a control symbol, or the value of a hex escape.
        char symbol = 0;
    };

    explicit RtfTokenizer(QByteArrayView input) : input_(input) {}

    Token next();
    // Passes over the raw data that follows \binN.
    void skipBytes(qint64 count);

private:
    Token controlWord();
    Token hexByte();
    Token text();
    int parameter(bool negative);

    QByteArrayView input_;
    qsizetype pos_ = 0;
};
