#pragma once

#include <QByteArray>

#include <optional>

// Reads comma- or line-delimited fields from sequential text, the way the score files are read.
class DelimitedReader {
public:
    // When the text was cut off at a size limit, a field that runs into its end counts as cut short.
    explicit DelimitedReader(const QByteArray& text, bool endIsCut = false) : text_(text), endIsCut_(endIsCut) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    qsizetype position() const { return pos_; }
    void seek(qsizetype position) { pos_ = position; }

    // Blanks and tabs before the field are skipped. A field starting with a double quote runs to the
    // next quote (or line end) and loses the quotes; any other runs to the next comma or line end and
    // loses its trailing blanks and tabs.
    QByteArray readText();
    // A decimal number with optional sign, fraction and exponent, blanks around it ignored;
    // none when the field is missing or is not such a number, NaN when it is beyond the range of a double.
    std::optional<double> readNumber();

private:
    char peek() const { return text_[pos_]; }
    bool atLineEnd() const { return !atEnd() && (peek() == '\r' || peek() == '\n'); }
    bool atDelimiter() const { return atEnd() || atLineEnd() || peek() == ','; }
    void skipBlanks();
    void skipDigits();
    // Steps over the comma or line end (CR LF, CR or LF) that ends a field.
    void consumeDelimiter();

    const QByteArray& text_;
    bool endIsCut_ = false;
    qsizetype pos_ = 0;
};
