#include "core/scores/score_file.h"

#include "core/scores/basic_number.h"
#include "core/scores/delimited_reader.h"
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
    DelimitedReader in(head, cut);
    HighScoreTable table;
    while (table.Count() < HighScoreTable::Slots && !in.atEnd()) {
        const QByteArray name = in.readText();
        const std::optional<double> pegs = in.readNumber();
        if (!pegs)
            break;
        const std::optional<double> time = in.readNumber();
        if (!time)
            break;
        // NaN fails both tests; "-0" is stored as 0.
        if (soundPegs(*pegs) && soundTime(*time))
            table.append({Windows1252::decode(name), static_cast<qint16>(*pegs), *time + 0.0});
    }
    return table;
}

QByteArray ScoreFile::write(const HighScoreTable& table)
{
    QByteArray text;
    for (int i = 1; i <= table.Count(); ++i) {
        text += nameLine(table.Names(i)) + LineEnd;
        text += BasicNumber::field(qint64{table.Pegs(i)}) + LineEnd;
        text += BasicNumber::field(table.Times(i)) + LineEnd;
    }
    return text;
}

QByteArray ScoreFile::nameLine(const QString& name)
{
    const QByteArray bytes = Windows1252::encode(name);
    const bool quoted = !bytes.isEmpty() && (bytes.contains(',') || isBlank(bytes.front()) || isBlank(bytes.back()));
    return quoted ? '"' + bytes + '"' : bytes;
}
