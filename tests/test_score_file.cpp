#include "core/scores/basic_number.h"
#include "core/scores/score_file.h"
#include "core/scores/time_text.h"
#include "core/scores/windows_1252.h"

#include <QTest>

namespace {

QByteArray record(const QByteArray& name, const QByteArray& pegs = " 1 ", const QByteArray& time = " .5 ")
{
    return name + "\r\n" + pegs + "\r\n" + time + "\r\n";
}

QStringList namesOf(const HighScoreTable& table)
{
    QStringList names;
    for (int i = 1; i <= table.count(); ++i)
        names.append(table.nameAt(i));
    return names;
}

} // namespace

class TestScoreFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numberFields()
    {
        const std::vector<std::pair<double, QByteArray>> cases{
            {0.1, " .1 "}, {0.09999999999999999, " .1 "}, {0.0999, " 9.99E-02 "}, // either side of the switch point
            {1e-100, " 1E-100 "}, {2.0 / 3.0, " .666666666666667 "}, // fifteen digits
            {123456789012345.0, " 123456789012345 "}, {1e15, " 1E+15 "}, {0.0, " 0 "}, {-0.25, "-.25 "}};
        for (const auto& [value, field] : cases)
            QCOMPARE(BasicNumber::field(value), field);
    }

    void readsDelimitedFields()
    {
        // Fixed-point times, LF-only line ends, comma-separated fields on one line, blanks and tabs.
        const HighScoreTable table = ScoreFile::read("Anna\n 3 \n 0.00115740740740741 \nBo, 4 ,\t.5\r\n"
                                                     "\r\n +2 \r\n 1.5e+0 \r\nCy\r\n 1E1 \r\n 5E-02");
        QCOMPARE(namesOf(table), QStringList({"Anna", "Bo", "", "Cy"}));
        QCOMPARE(TimeText::of(table.timeAt(1)), QStringLiteral("00:01:40"));
        QCOMPARE(table.timeAt(3), 1.5);
        QCOMPARE(table.pegsAt(4), qint16{10});
        QCOMPARE(table.timeAt(4), 0.05);
    }

    void badFiles()
    {
        const QByteArray a = record("A");
        const QByteArray b = record("B", " 2 ");
        // A record whose pegs or time cannot be a result is passed over.
        for (const auto& [pegs, time] : {std::pair{" 99 ", " .5 "}, {"-1 ", " .5 "}, {" 2.5 ", " .5 "}, {" 1E400 ", " .5 "},
                                         {" 3 ", "-.5 "}, {" 3 ", " 1000 "}})
            QCOMPARE(namesOf(ScoreFile::read(record("C", pegs, time) + a)), QStringList({"A"}));
        const QByteArray head = "A\r\n 1 \r\n" + QByteArray(ScoreFile::MaxBytes - 13, ' ');
        // The file, and the names read from it.
        const std::vector<std::pair<QByteArray, QStringList>> cases{
            {record("C", " 9 ") + a, {"C", "A"}}, // not in rank order
            {a + b + a + b + a + b + a, {"A", "B", "A", "B", "A"}},
            // A record that does not read is passed over and the reading picks up at the next one that does.
            {a + "C\r\n 3 \r\n" + b, {"A", "B"}}, {a + record("C", " 3x ") + b, {"A", "B"}},
            {a + record("C", " 3 ", " 5E- ") + b, {"A", "B"}}, {a + "junk\r\n\r\n" + b, {"A", "B"}},
            {a + "C\r\n 3 , 4 \r\n .5 \r\n" + b, {"A", "C", "B"}}, // an extra field shifts a record
            {record("Jo \"JJ\", B"), {"Jo 'JJ', B"}}, {record("\"C, d"), {"C, d"}}, {record("\"C\" x"), {"C"}},
            {record(" \tC d \t"), {"C d"}},
            // Nothing past the size limit is looked at, and a limit inside a time field drops that time.
            {QByteArray(ScoreFile::MaxBytes + 1, '\n') + a, {}}, {head + ".123456789 \r\n", {}}, {head + ".123", {"A"}}};
        for (const auto& [text, names] : cases)
            QCOMPARE(namesOf(ScoreFile::read(text)), names);
    }

    void legacyCommaNamesKeepEveryRecord()
    {
        // Written before names with a comma were quoted, or by hand.
        const QByteArray legacy =
            record("Alpha") + record("Smith, John", " 2 ") + record("Charlie", " 3 ") + record("Delta", " 4 ") + record("Echo", " 5 ");
        const HighScoreTable table = ScoreFile::read(legacy);
        QCOMPARE(namesOf(table), QStringList({"Alpha", "Smith, John", "Charlie", "Delta", "Echo"}));
        QCOMPARE(table.pegsAt(5), qint16{5});
        // Saved again, the name is quoted and comes back the same.
        QCOMPARE(ScoreFile::write(table), QByteArray(legacy).replace("Smith, John", "\"Smith, John\""));
    }

    void awkwardNamesRoundTrip()
    {
        // The name, and its line in the file.
        const std::vector<std::pair<QString, QByteArray>> cases{{"Smith, J", "\"Smith, J\""}, {"  Jo ", "\"  Jo \""},
            {"\tJo", "\"\tJo\""}, {"Jo \"J\" B", "Jo \"J\" B"}, {QStringLiteral("Zoë €Š‰ÿ"), "Zo\xEB \x80\x8A\x89\xFF"}};
        for (const auto& [name, line] : cases) {
            HighScoreTable table;
            table.append({name, 1, 0.5});
            table.append({QStringLiteral("next"), 2, 0.5});
            const QByteArray text = ScoreFile::write(table);
            QVERIFY2(text.startsWith(line + "\r\n 1 \r\n"), text.constData());
            QCOMPARE(namesOf(ScoreFile::read(text)), QStringList({name, QStringLiteral("next")}));
        }
    }

    void windows1252()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        // Every byte, those Windows leaves undefined included, comes back as it was.
        QCOMPARE(Windows1252::encode(Windows1252::decode(all)), all);
    }
};

QTEST_APPLESS_MAIN(TestScoreFile)
#include "test_score_file.moc"
