#include "core/scores/score_file.h"

#include "core/scores/basic_number.h"
#include "core/scores/score_record_reader.h"
#include "core/scores/windows_1252.h"

#include <cmath>

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

bool soundPegs(double pegs)
{
    return pegs >= 0.0 && pegs < HighScoreTable::EmptySlotPegs && pegs == std::floor(pegs);
}

bool soundTime(double days)
{
    return days >= 0.0 && days < ScoreFile::MaxDays;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

HighScoreTable ScoreFile::read(const QByteArray& text)
{
    const bool cut = text.size() > MaxBytes;
    const QByteArray head = cut ? text.left(MaxBytes) : text;
    ScoreRecordReader in(head, cut);
    HighScoreTable table;
    while (table.count() < HighScoreTable::Slots) {
        const std::optional<ScoreRecordReader::Record> record = in.next();
        if (!record)
            break;
        // NaN fails both tests; "-0" is stored as 0.
        if (soundPegs(record->pegs) && soundTime(record->time))
            table.append({Windows1252::decode(record->name), static_cast<qint16>(record->pegs), record->time + 0.0});
    }
    return table;
}

QByteArray ScoreFile::write(const HighScoreTable& table)
{
    QByteArray text;
    for (int i = 1; i <= table.count(); ++i)
        text += record(table.entry(i));
    return text;
}

QByteArray ScoreFile::record(const HighScoreEntry& entry)
{
    return nameLine(entry.name) + LineEnd + BasicNumber::field(qint64{entry.pegs}) + LineEnd
        + BasicNumber::field(entry.time) + LineEnd;
}

QByteArray ScoreFile::nameLine(const QString& name)
{
    const QByteArray bytes = Windows1252::encode(name);
    const bool quoted = !bytes.isEmpty() && (bytes.contains(',') || isBlank(bytes.front()) || isBlank(bytes.back()));
    return quoted ? '"' + bytes + '"' : bytes;
}
