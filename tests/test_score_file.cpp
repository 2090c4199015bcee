#include "core/scores/basic_number.h"
#include "core/scores/score_file.h"
#include "core/scores/time_text.h"
#include "core/scores/windows_1252.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

constexpr double Second = 1.0 / 86400.0;

QByteArray record(const QByteArray& name, const QByteArray& pegs, const QByteArray& time)
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
    void numberFields_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("100 seconds") << 100 * Second << QByteArray(" 1.15740740740741E-03 ");
        QTest::newRow("twelve hours") << 0.5 << QByteArray(" .5 ");
        QTest::newRow("a day and a half") << 1.5 << QByteArray(" 1.5 ");
        QTest::newRow("switch point") << 0.1 << QByteArray(" .1 ");
        QTest::newRow("rounds up to the switch point") << 0.09999999999999999 << QByteArray(" .1 ");
        QTest::newRow("just below it") << 0.0999 << QByteArray(" 9.99E-02 ");
        QTest::newRow("three-digit exponent") << 1e-100 << QByteArray(" 1E-100 ");
        QTest::newRow("fifteen digits") << 2.0 / 3.0 << QByteArray(" .666666666666667 ");
        QTest::newRow("largest fixed") << 123456789012345.0 << QByteArray(" 123456789012345 ");
        QTest::newRow("too large for fixed") << 1e15 << QByteArray(" 1E+15 ");
        QTest::newRow("zero") << 0.0 << QByteArray(" 0 ");
        QTest::newRow("negative") << -0.25 << QByteArray("-.25 ");
    }
    void numberFields()
    {
        QFETCH(double, value);
        QFETCH(QByteArray, field);
        QCOMPARE(BasicNumber::field(value), field);
    }

    void writesAndReadsBack()
    {
        HighScoreTable table;
        table.append({QStringLiteral("Anna"), 1, 100 * Second});
        QCOMPARE(ScoreFile::write(table), QByteArray("Anna\r\n 1 \r\n 1.15740740740741E-03 \r\n"));
        QCOMPARE(BasicNumber::field(qint64{-3}), QByteArray("-3 "));

        table.append({QString(), 2, 0.5});
        table.append({QStringLiteral("Bo"), 2, 1.5});
        table.append({QStringLiteral("Cy"), 10, 3723 * Second});
        table.append({QStringLiteral("Di"), 0, 0.0});
        const QByteArray text = ScoreFile::write(table);
        QCOMPARE(text.count("\r\n"), 15);
        QVERIFY(text.startsWith("Anna\r\n 1 \r\n 1.15740740740741E-03 \r\n\r\n 2 \r\n .5 \r\nBo\r\n 2 \r\n 1.5 \r\n"));
        const HighScoreTable back = ScoreFile::read(text);
        QCOMPARE(namesOf(back), namesOf(table));
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(back.pegsAt(i), table.pegsAt(i));
            QCOMPARE(TimeText::of(back.timeAt(i)), TimeText::of(table.timeAt(i)));
        }
        QCOMPARE(ScoreFile::write(back), text);
    }

    void readsDelimitedFields()
    {
        // Fixed-point times, LF-only line ends, comma-separated fields on one line, blanks and tabs.
        const HighScoreTable table = ScoreFile::read(
            "Anna\n 3 \n 0.00115740740740741 \n"
            "Bo, 4 ,\t.5\r\n"
            "\r\n +2 \r\n 1.5e+0 \r\n"
            "Cy\r\n 1E1 \r\n 5E-02");
        QCOMPARE(namesOf(table), QStringList({"Anna", "Bo", "", "Cy"}));
        QCOMPARE(table.pegsAt(1), qint16{3});
        QCOMPARE(TimeText::of(table.timeAt(1)), QStringLiteral("00:01:40"));
        QCOMPARE(table.timeAt(2), 0.5);
        QCOMPARE(table.timeAt(3), 1.5);
        QCOMPARE(table.pegsAt(4), qint16{10});
        QCOMPARE(table.timeAt(4), 0.05);
        QCOMPARE(table.pegsAt(5), HighScoreTable::EmptySlotPegs);
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("names");
        const QByteArray a = record("A", " 1 ", " .5 ");
        const QByteArray b = record("B", " 2 ", " .5 ");
        QTest::newRow("only a line end") << QByteArray("\r\n") << QStringList();
        QTest::newRow("not in rank order") << record("C", " 9 ", " .5 ") + a << QStringList({"C", "A"});
        QTest::newRow("seven records") << a + b + a + b + a + b + a << QStringList({"A", "B", "A", "B", "A"});
        QTest::newRow("cut after the pegs") << a + "C\r\n 3 \r\n" << QStringList({"A"});
        // A record that does not read is passed over and the reading picks up at the next one that does.
        QTest::newRow("cut short in the middle") << a + "C\r\n 3 \r\n" + b << QStringList({"A", "B"});
        QTest::newRow("word for pegs") << record("C", " three ", " .5 ") + a << QStringList({"A"});
        QTest::newRow("number with junk") << a + record("C", " 3x ", " .5 ") + b << QStringList({"A", "B"});
        QTest::newRow("exponent without digits") << a + record("C", " 3 ", " 5E- ") + b << QStringList({"A", "B"});
        QTest::newRow("stray lines") << a + "junk\r\n\r\n" + b << QStringList({"A", "B"});
        QTest::newRow("extra field shifts a record") << a + "C\r\n 3 , 4 \r\n .5 \r\n" + b << QStringList({"A", "C", "B"});
        // A name with a comma, written without quotes, is the whole line.
        QTest::newRow("unquoted comma") << a + record("Smith, John", " 3 ", " .5 ") + b << QStringList({"A", "Smith, John", "B"});
        QTest::newRow("unquoted comma, quotes") << record("Jo \"JJ\", B", " 3 ", " .5 ") << QStringList({"Jo 'JJ', B"});
        QTest::newRow("empty slot pegs") << record("C", " 99 ", " .5 ") + a << QStringList({"A"});
        QTest::newRow("negative pegs") << record("C", "-1 ", " .5 ") + a << QStringList({"A"});
        QTest::newRow("fractional pegs") << record("C", " 2.5 ", " .5 ") + a << QStringList({"A"});
        QTest::newRow("pegs beyond a double") << record("C", " 1E400 ", " .5 ") + a << QStringList({"A"});
        QTest::newRow("negative time") << record("C", " 3 ", "-.5 ") + a << QStringList({"A"});
        QTest::newRow("absurd time") << record("C", " 3 ", " 1000 ") + a << QStringList({"A"});
        QTest::newRow("time beyond a double") << record("C", " 3 ", " 1E999 ") + a << QStringList({"A"});
        QTest::newRow("unclosed quote") << QByteArray("\"C, d\r\n 3 \r\n .5 \r\n") << QStringList({"C, d"});
        QTest::newRow("text after the closing quote") << QByteArray("\"C\" x\r\n 3 \r\n .5 \r\n") << QStringList({"C"});
        QTest::newRow("blanks around a plain name") << QByteArray(" \tC d \t\r\n 3 \r\n .5 \r\n") << QStringList({"C d"});
    }
    void badFiles()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, names);
        const HighScoreTable table = ScoreFile::read(text);
        QCOMPARE(namesOf(table), names);
        for (int i = table.count() + 1; i <= HighScoreTable::Slots; ++i)
            QCOMPARE(table.pegsAt(i), HighScoreTable::EmptySlotPegs);
    }

    void legacyCommaNamesKeepEveryRecord()
    {
        // Written before names with a comma were quoted, or by hand.
        const QByteArray legacy = record("Alpha", " 1 ", " .5 ") + record("Smith, John", " 2 ", " .5 ")
            + record("Charlie", " 3 ", " .5 ") + record("Delta", " 4 ", " .5 ") + record("Echo", " 5 ", " .5 ");
        const HighScoreTable table = ScoreFile::read(legacy);
        const QStringList names({"Alpha", "Smith, John", "Charlie", "Delta", "Echo"});
        QCOMPARE(namesOf(table), names);
        QCOMPARE(table.pegsAt(5), qint16{5});
        // Saved again, the name is quoted and comes back the same.
        const QByteArray saved = ScoreFile::write(table);
        QCOMPARE(saved, QByteArray(legacy).replace("Smith, John", "\"Smith, John\""));
        QCOMPARE(namesOf(ScoreFile::read(saved)), names);
    }

    void hugeFilesStayCheap()
    {
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(ScoreFile::read(QByteArray(50'000'000, 'A')).count(), 0);
        QCOMPARE(ScoreFile::read(record("A", " 1 ", " .5 ").repeated(1'000'000)).count(), 5);
        QVERIFY2(timer.elapsed() < 5000, "reading must not depend on the size of the file");

        // The size limit falls inside the time field: ".123" of ".123456789" must not load as a time.
        const QByteArray head = "A\r\n 1 \r\n" + QByteArray(ScoreFile::MaxBytes - 13, ' ');
        QCOMPARE(ScoreFile::read(head + ".123456789 \r\n").count(), 0);
        QCOMPARE(ScoreFile::read(head + ".123").count(), 1);
    }

    void awkwardNamesRoundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("comma") << "Smith, J" << QByteArray("\"Smith, J\"");
        QTest::newRow("blanks around") << "  Jo " << QByteArray("\"  Jo \"");
        QTest::newRow("tab") << "\tJo" << QByteArray("\"\tJo\"");
        QTest::newRow("inner quote") << "Jo \"J\" B" << QByteArray("Jo \"J\" B");
        QTest::newRow("Windows-1252") << QStringLiteral("Zoë €Š‰ÿ") << QByteArray("Zo\xEB \x80\x8A\x89\xFF");
    }
    void awkwardNamesRoundTrip()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, line);
        HighScoreTable table;
        table.append({name, 1, 0.5});
        table.append({QStringLiteral("next"), 2, 0.5});
        const QByteArray text = ScoreFile::write(table);
        QVERIFY(text.startsWith(line + "\r\n 1 \r\n"));
        QCOMPARE(namesOf(ScoreFile::read(text)), QStringList({name, QStringLiteral("next")}));
    }

    void windows1252()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        const QString text = Windows1252::decode(all);
        QCOMPARE(text.at(0x80), QChar(0x20AC));
        QCOMPARE(text.at(0x9F), QChar(0x0178));
        QCOMPARE(Windows1252::encode(text), all);
        QCOMPARE(Windows1252::encode(QStringLiteral("aΩ€")), QByteArray("a?\x80"));
        QVERIFY(!Windows1252::canEncode(QChar(0x0100)));
    }
};

QTEST_APPLESS_MAIN(TestScoreFile)
#include "test_score_file.moc"
