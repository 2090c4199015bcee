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

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("names");
        const QByteArray a = record("A");
        const QByteArray b = record("B", " 2 ");
        QTest::newRow("not in rank order") << record("C", " 9 ") + a << QStringList({"C", "A"});
        QTest::newRow("seven records") << a + b + a + b + a + b + a << QStringList({"A", "B", "A", "B", "A"});
        // A record that does not read is passed over and the reading picks up at the next one that does.
        QTest::newRow("cut short in the middle") << a + "C\r\n 3 \r\n" + b << QStringList({"A", "B"});
        QTest::newRow("number with junk") << a + record("C", " 3x ") + b << QStringList({"A", "B"});
        QTest::newRow("exponent without digits") << a + record("C", " 3 ", " 5E- ") + b << QStringList({"A", "B"});
        QTest::newRow("stray lines") << a + "junk\r\n\r\n" + b << QStringList({"A", "B"});
        QTest::newRow("extra field shifts a record") << a + "C\r\n 3 , 4 \r\n .5 \r\n" + b << QStringList({"A", "C", "B"});
        QTest::newRow("unquoted comma, quotes") << record("Jo \"JJ\", B") << QStringList({"Jo 'JJ', B"});
        QTest::newRow("empty slot pegs") << record("C", " 99 ") + a << QStringList({"A"});
        QTest::newRow("negative pegs") << record("C", "-1 ") + a << QStringList({"A"});
        QTest::newRow("fractional pegs") << record("C", " 2.5 ") + a << QStringList({"A"});
        QTest::newRow("pegs beyond a double") << record("C", " 1E400 ") + a << QStringList({"A"});
        QTest::newRow("negative time") << record("C", " 3 ", "-.5 ") + a << QStringList({"A"});
        QTest::newRow("absurd time") << record("C", " 3 ", " 1000 ") + a << QStringList({"A"});
        QTest::newRow("unclosed quote") << record("\"C, d") << QStringList({"C, d"});
        QTest::newRow("text after the closing quote") << record("\"C\" x") << QStringList({"C"});
        QTest::newRow("blanks around a plain name") << record(" \tC d \t") << QStringList({"C d"});
        // Nothing past the size limit is looked at, and a limit inside a time field drops that time.
        const QByteArray full(ScoreFile::MaxBytes + 1, '\n');
        QTest::newRow("records past the limit") << full + a << QStringList();
        const QByteArray head = "A\r\n 1 \r\n" + QByteArray(ScoreFile::MaxBytes - 13, ' ');
        QTest::newRow("limit inside a time") << head + ".123456789 \r\n" << QStringList();
        QTest::newRow("time ends at the limit") << head + ".123" << QStringList({"A"});
    }
    void badFiles()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, names);
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
