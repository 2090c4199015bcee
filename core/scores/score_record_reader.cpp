#include "core/scores/score_record_reader.h"

#include "core/scores/delimited_reader.h"

std::optional<ScoreRecordReader::Record> ScoreRecordReader::next()
{
    while (pos_ < text_.size()) {
        qsizetype end = pos_;
        std::optional<Record> record = byFields(pos_, end);
        if (!record)
            record = byLines(pos_, end);
        if (record) {
            pos_ = end;
            return record;
        }
        line(pos_, pos_);
    }
    return std::nullopt;
}

std::optional<ScoreRecordReader::Record> ScoreRecordReader::byFields(qsizetype from, qsizetype& end) const
{
    DelimitedReader in(text_, endIsCut_);
    in.seek(from);
    Record record;
    record.name = in.readText();
    const std::optional<double> pegs = in.readNumber();
    if (!pegs)
        return std::nullopt;
    const std::optional<double> time = in.readNumber();
    if (!time)
        return std::nullopt;
    record.pegs = *pegs;
    record.time = *time;
    end = in.position();
    return record;
}

std::optional<ScoreRecordReader::Record> ScoreRecordReader::byLines(qsizetype from, qsizetype& end) const
{
    qsizetype at = from;
    Record record;
    // Written back, a name with a double quote would not read the same again; a single quote does.
    record.name = line(at, at).replace('"', '\'');
    const std::optional<double> pegs = wholeLineNumber(at, at);
    if (!pegs)
        return std::nullopt;
    const std::optional<double> time = wholeLineNumber(at, at);
    if (!time)
        return std::nullopt;
    record.pegs = *pegs;
    record.time = *time;
    end = at;
    return record;
}

QByteArray ScoreRecordReader::line(qsizetype from, qsizetype& next) const
{
    qsizetype end = from;
    while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n')
        ++end;
    next = end;
    if (next < text_.size() && text_[next++] == '\r' && next < text_.size() && text_[next] == '\n')
        ++next;
    return text_.mid(from, end - from);
}

std::optional<double> ScoreRecordReader::wholeLineNumber(qsizetype from, qsizetype& next) const
{
    if (from >= text_.size())
        return std::nullopt;
    const QByteArray field = line(from, next);
    // A line running into the cut end of the text may have lost digits.
    DelimitedReader in(field, endIsCut_ && from + field.size() == text_.size());
    const std::optional<double> value = in.readNumber();
    return value && in.atEnd() ? value : std::nullopt;
}
