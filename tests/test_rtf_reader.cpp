#include "core/help/rtf_document_writer.h"
#include "core/help/rtf_reader.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

const QByteArray Header = R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\froman\fcharset0 Times New Roman;}{\f2\fnil\fcharset2 Symbol;}{\f3\fnil\fcharset204 Arial CYR;}}
{\colortbl ;\red255\green0\blue0;\red0\green128\blue255;}
)";

RtfDocument read(const QByteArray& body)
{
    return RtfReader::read(Header + body + "}");
}

QString plain(const QByteArray& body)
{
    return read(body).plainText();
}

// Each run as its text and the letters of its bold, italic, underline and strike flags.
QStringList runsOf(const RtfDocument& doc)
{
    QStringList runs;
    for (const RtfParagraph& paragraph : doc.paragraphs)
        for (const RtfRun& run : paragraph.runs) {
            const RtfCharFormat& f = run.format;
            runs << run.text + (f.bold ? "B" : "") + (f.italic ? "I" : "") + (f.underline ? "U" : "") + (f.strike ? "S" : "");
        }
    return runs;
}

// A page as WordPad writes it, with every construct the help document uses and no \u (so any prefix reads as a prefix).
const QByteArray Page = Header + R"(\viewkind4\uc1\pard\qc\sa120\b\f1\fs28 Title\par
\pard\sb60\b0\fs18 Plain \i italic\i0  and \ul under\ulnone , \strike gone\strike0 .\par
{\pntext\f2\'b7\tab}{\*\pn\pnlvlblt\pnf2\pnindent0{\pntxtb\'b7}}\fi-200\li200 caf\'e9 \'93quoted\'94\par
\pard\cf1 red\cf0  text\line next\tab end\par
})";

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void characterFormatsMakeRuns()
    {
        const RtfDocument doc = read(R"(\pard\f1\fs20 a\b b\b0 c\i d\i0\ul e\ulnone\strike f\strike0\uldb g\ul0 h{\b i}j\b\i\plain k\par)");
        QVERIFY(doc.complete);
        // A group's formatting ends with the group.
        QCOMPARE(runsOf(doc), QStringList({"a", "bB", "c", "dI", "eU", "fS", "gU", "h", "iB", "j", "k"}));
        // \plain returns to the default font (\deff0) at 12 points.
        RtfCharFormat plain;
        plain.fontFamily = QStringLiteral("Arial");
        QCOMPARE(doc.paragraphs[0].runs[10].format, plain);
        // Text in the same format stays in one run, even across formatting that left no text between.
        QCOMPARE(runsOf(read(R"({\b a}{\i }{\b b}{\i\'01}{\b c}\par)")), QStringList({"abcB"}));
    }

    void runsAreCountedOverTheWholeDocument()
    {
        // The help view lays out format changes at a cost that grows with their square: the reader
        // stops at its limit of runs however they are spread over paragraphs.
        const QByteArray alternating = R"({\b a}{\i b})";
        for (const QByteArray& unit : {alternating, alternating + "\\par "}) {
            const RtfDocument doc = read(unit.repeated(RtfDocumentWriter::MaxRuns));
            QCOMPARE(runsOf(doc).size(), RtfDocumentWriter::MaxRuns);
            QVERIFY(!doc.complete);
        }
        QVERIFY(read(alternating.repeated(RtfDocumentWriter::MaxRuns / 2)).complete);
    }

    void longWordsGetBreakOpportunities()
    {
        const QString zeroWidthSpace(QChar(0x200B));
        const QString word(RtfDocumentWriter::MaxWordLength * 3 + 5, QLatin1Char('x'));
        // The word may come in several runs; the count goes on across them.
        const QString text = plain("x{\\b " + word.mid(1).toLatin1() + "} short words\\par");
        const QStringList pieces = text.split(zeroWidthSpace);
        QCOMPARE(pieces.size(), 4);
        QCOMPARE(pieces[2].size(), RtfDocumentWriter::MaxWordLength);
        QCOMPARE(QString(text).remove(zeroWidthSpace), word + " short words");
        // A blank, a tab or a line break lets a line end there: words up to the limit stay whole.
        const QByteArray fits(RtfDocumentWriter::MaxWordLength, 'y');
        QVERIFY(!plain(fits + " " + fits + "\\tab " + fits + "\\line " + fits).contains(zeroWidthSpace));
    }

    void fontAndColourTables()
    {
        const RtfDocument doc = read(R"(\pard x\cf1 r\highlight2 h\cf0\highlight0 p\cf9 q\par)");
        const auto& runs = doc.paragraphs[0].runs;
        QCOMPARE(runs.size(), 4u);
        // Index 0 is the empty "auto" entry; an index past the table is auto too.
        QCOMPARE(runs[3].text, QStringLiteral("pq"));
        QVERIFY(!runs[3].format.foreground && !runs[3].format.highlight);
        // Entries without groups, a missing ';' and a \deff naming the second font.
        const RtfDocument loose = RtfReader::read(R"({\rtf1\deff1{\fonttbl\f0\froman Georgia;\f1\fswiss Verdana;{\f2 Courier New}}{\f2 c}d})");
        QCOMPARE(loose.paragraphs[0].runs[0].format.fontFamily, QStringLiteral("Courier New"));
        QCOMPARE(loose.paragraphs[0].runs[1].format.fontFamily, QStringLiteral("Verdana"));
    }

    void text()
    {
        // The body, and the text read from it.
        const std::vector<std::pair<QByteArray, QString>> cases{
            // Eight-bit text follows the font's code page, raw bytes as well as \'hh.
            {QByteArray(R"(caf\'e9 \'80\'93\'94\'85 na)" "\xef" "ve"), "café €“”… naïve"},
            {QByteArray(R"(\f3 \'cf\'f0\'e8\'e2\'e5\'f2)"), "Привет"},
            {QByteArray(R"(\f2\'b7 \'61\'62)"), "• αβ"},
            {QByteArray(R"(\u8364?x\uc2\u8364\'80\'80y)"), "€x€y"},
            // Negative values stand for code units above 32767; a control word counts as one skipped character.
            {QByteArray(R"(\u-3913\'3fx\u-10179?\u-8704?\u233\emdash x)"), QStringLiteral("\uF0B7x") + QString::fromUtf16(u"\U0001F600éx")},
            // \uc is group state, and the end of a group ends the skipping.
            {QByteArray(R"({\uc3 \u233 abcd}\u233 ab{\uc5\u233}xy)"), "édébéxy"},
            {QByteArray("a\\~b\\-c\\_d\\{\\}\\\\e\\tab f\\line g\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote"), "a\u00A0b\u00ADc\u2011d{}\\e\tf\u2028g—–•‘’“”"},
            // Line ends in the source are not text; a backslash before one is a paragraph mark; cells and rows become tabs and paragraphs.
            {QByteArray("on\r\ne\\\nt\\\ro\\cell w\\cell\\row x\ty"), "one\nt\no\tw\t\nx\ty"},
            // Control characters other than tab are dropped, also when they arrive as \u.
            {QByteArray("a\x01\x7f{\\uc0\\u10\\u8233}b"), "ab"},
            // A list's bullet is read once, from its \pntext, however the list says it again.
            {QByteArray(R"(\pard{\pntext\f2\'b7\tab}{\*\pn\pnlvlblt\pnf2{\pntxtb\'b7}}one\par
{\listtext\pard\plain\f2 \'b7\tab}{\pntext\f2\'b7\tab}two\par{\pn\pnlvlbody{\pntxtb x}}three)"), "•\tone\n•\ttwo\nthree"},
            // Destinations that are not text, known and unknown; a field shows its result.
            {QByteArray(R"({\stylesheet{\s0 Normal;}}{\info{\title T}}{\*\generator G;}{\pict\pngblip 89}
{\header H}{\*\unknownthing U{\nested N}}\unknownword K{\field{\*\fldinst HYPERLINK "x"}{\fldrslt L}}\par)"), "KL"},
            // \* only marks a destination at the start of a group; binary data may hold braces and backslashes.
            {QByteArray("a\\*b{\\pict\\bin6 }}\\{\\}y}z\\bin3 {{{y"), "abzy"}};
        for (const auto& [body, text] : cases)
            QCOMPARE(plain(body), text);
    }

    void codePagesOfTheDocument()
    {
        // A double-byte code page takes its two bytes together; one nobody knows falls back to Windows-1252.
        QCOMPARE(RtfReader::read(R"({\rtf1\ansi\ansicpg932{\fonttbl{\f0\fnil\fcharset128 MS Mincho;}}\f0 \'82\'a0\'82\'a2})").plainText(),
            QStringLiteral("あい"));
        QCOMPARE(RtfReader::read(R"({\rtf1\ansi\ansicpg99999 \'e9\'80})").plainText(), QStringLiteral("é€"));
    }

    void paragraphFormats()
    {
        const RtfDocument doc = read(R"(\pard\qc\sb100\sa200 c\par\qj\li-300 j\par\pard l\par{\qc g}\par)");
        // Properties hold until \pard; those in force at \par count, and a group's \qc ended before it.
        QCOMPARE(doc.paragraphs[1].format, (RtfParagraphFormat{RtfAlignment::Justify, -300, 0, 0, 100, 200}));
        QCOMPARE(doc.paragraphs[2].format, RtfParagraphFormat{});
        QCOMPARE(doc.paragraphs[3].format.alignment, RtfAlignment::Left);
    }

    void onlyRtfIsRead()
    {
        QVERIFY(RtfReader::read("Hello, world").paragraphs.empty() && !RtfReader::read("").complete);
        QCOMPARE(RtfReader::read("\xEF\xBB\xBF \r\n{\\rtf1 ok}").plainText(), QStringLiteral("ok"));
        // Nothing after the outermost group is read.
        const RtfDocument doc = RtfReader::read("{\\rtf1 a}b}{c");
        QVERIFY(doc.plainText() == QStringLiteral("a") && doc.complete);
    }

    void everyTruncationReadsAPrefix()
    {
        const QString full = RtfReader::read(Page).plainText();
        QCOMPARE(full, QStringLiteral("Title\nPlain italic and under, gone.\n•\tcafé “quoted”\nred text\u2028next\tend"));
        for (qsizetype n = 0; n < Page.size(); ++n) {
            const RtfDocument cut = RtfReader::read(Page.first(n));
            QVERIFY2(!cut.complete && full.startsWith(cut.plainText()), qPrintable(QString::number(n)));
        }
    }

    void hostileInputIsBounded()
    {
        // 100 000 open braces: the deep text is dropped, the braces still counted, so the text after them is read.
        const RtfDocument balanced = RtfReader::read("{\\rtf1 before" + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + " after}");
        QCOMPARE(balanced.plainText(), QStringLiteral("before after"));
        QVERIFY(balanced.complete);
        QCOMPARE(RtfReader::read("{\\rtf1 before" + QByteArray(1000000, '{') + "lost").plainText(), QStringLiteral("before"));

        // Huge numbers are clamped; an unknown \u still skips its fallback (" y", then 16 of the 17 z).
        const RtfDocument huge = read(R"(\fs999999999999999999999\li-99999999999999\sa99999999\cf99999999999 x\u99999999999 y\uc999999999\u65 zzzzzzzzzzzzzzzzz\par)");
        QCOMPARE(huge.paragraphs[0].runs[0].format.halfPoints, 400);
        QCOMPARE(huge.paragraphs[0].format.leftIndent, -31680);
        QCOMPARE(huge.paragraphs[0].format.spaceAfter, 31680);
        QCOMPARE(huge.plainText(), QStringLiteral("xAz"));
        // A control word thousands of letters long is one unknown word; \bin counts past the end.
        QCOMPARE(plain("\\" + QByteArray(100000, 'b') + "1 x\\bin-5 y"), QStringLiteral("xy"));
        QCOMPARE(plain("x\\bin999999999999999 yyy"), QStringLiteral("x"));

        // The result stops growing at the writer's limits.
        const RtfDocument paragraphs = read(QByteArray("\\par ").repeated(RtfDocumentWriter::MaxParagraphs + 10));
        QCOMPARE(std::ssize(paragraphs.paragraphs), RtfDocumentWriter::MaxParagraphs);
        QVERIFY(!paragraphs.complete);
        const RtfDocument text = read(QByteArray(RtfDocumentWriter::MaxCharacters + 10, 'x'));
        QCOMPARE(text.plainText().size(), RtfDocumentWriter::MaxCharacters);
        QVERIFY(!text.complete);

        // Random junk behind a valid header, in seeded rounds: any result, but no crash.
        QRandomGenerator random(20240521);
        for (int round = 0; round < 200; ++round) {
            QByteArray junk(4096, Qt::Uninitialized);
            for (char& c : junk)
                c = static_cast<char>(random.bounded(256));
            RtfReader::read(Header + junk);
        }
    }
};

QTEST_GUILESS_MAIN(TestRtfReader)
#include "test_rtf_reader.moc"
