#pragma once

#include <QByteArray>

#include <optional>

// Finds the records of a score file one after another. A record reads by the field rules where it can;
// else as three whole lines (a name holding a comma, as files written before such names were quoted have
// it); else the reading starts again one line further on, so one damaged record never hides the rest.
class ScoreRecordReader {
public:
    struct Record {
        QByteArray name;
        double pegs = 0.0;
        double time = 0.0;
    };

    // When the text was cut off at a size limit, a number that runs into its end counts as cut short.
    ScoreRecordReader(const QByteArray& text, bool endIsCut) : text_(text), endIsCut_(endIsCut) {}

    // The next record whose three fields read as text, number and number; none once the text is used up.
    std::optional<Record> next();

private:
    std::optional<Record> byFields(qsizetype from, qsizetype& end) const;
    std::optional<Record> byLines(qsizetype from, qsizetype& end) const;
    // The line from `from` up to its line end (CR LF, CR or LF); `next` is where the following line starts.
    QByteArray line(qsizetype from, qsizetype& next) const;
    std::optional<double> wholeLineNumber(qsizetype from, qsizetype& next) const;

    const QByteArray& text_;
    bool endIsCut_ = false;
    qsizetype pos_ = 0;
};
