#include "core/help/rtf_document_writer.h"
#include "core/help/rtf_reader.h"

#include <QElapsedTimer>
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
        QCOMPARE(doc.paragraphs.size(), 1u);
        const auto& runs = doc.paragraphs[0].runs;
        QStringList texts;
        for (const RtfRun& run : runs)
            texts << run.text;
        QCOMPARE(texts, QStringList({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"}));
        QCOMPARE(runs[0].format.fontFamily, QStringLiteral("Times New Roman"));
        QCOMPARE(runs[0].format.halfPoints, 20);
        QVERIFY(runs[1].format.bold && !runs[2].format.bold);
        QVERIFY(runs[3].format.italic && !runs[4].format.italic);
        QVERIFY(runs[4].format.underline && !runs[5].format.underline);
        QVERIFY(runs[5].format.strike && !runs[6].format.strike);
        QVERIFY(runs[6].format.underline && !runs[7].format.underline);
        // A group's formatting ends with the group.
        QVERIFY(runs[8].format.bold && !runs[9].format.bold);
        // \plain returns to the default font (\deff0) at 12 points.
        RtfCharFormat plain;
        plain.fontFamily = QStringLiteral("Arial");
        QCOMPARE(runs[10].format, plain);
        // Text in the same format stays in one run, even across formatting that left no text between.
        QCOMPARE(read(R"(\b one{\b  two}\par)").paragraphs[0].runs.size(), 1u);
        const RtfDocument merged = read(R"({\b a}{\i }{\b b}{\i\'01}{\b c}\par)");
        QCOMPARE(merged.paragraphs[0].runs.size(), 1u);
        QCOMPARE(merged.paragraphs[0].runs[0].text, QStringLiteral("abc"));
    }

    void runsAreCountedOverTheWholeDocument()
    {
        // The help view lays out format changes at a cost that grows with their square: the reader
        // stops at its limit of runs however they are spread over paragraphs.
        const auto runCount = [](const RtfDocument& doc) {
            qsizetype runs = 0;
            for (const RtfParagraph& paragraph : doc.paragraphs)
                runs += std::ssize(paragraph.runs);
            return runs;
        };
        const QByteArray alternating = R"({\b a}{\i b})";
        const RtfDocument oneParagraph = read(alternating.repeated(RtfDocumentWriter::MaxRuns));
        QCOMPARE(runCount(oneParagraph), RtfDocumentWriter::MaxRuns);
        QVERIFY(!oneParagraph.complete);
        const RtfDocument spread = read((alternating + "\\par ").repeated(RtfDocumentWriter::MaxRuns));
        QCOMPARE(runCount(spread), RtfDocumentWriter::MaxRuns);
        QVERIFY(!spread.complete);
        // Just below the limit everything is read.
        const RtfDocument below = read(alternating.repeated(RtfDocumentWriter::MaxRuns / 2));
        QVERIFY(below.complete);
    }

    void longWordsGetBreakOpportunities()
    {
        const QString zeroWidthSpace(QChar(0x200B));
        const QString word(RtfDocumentWriter::MaxWordLength * 3 + 5, QLatin1Char('x'));
        // The word may come in several runs; the count goes on across them.
        const QString text = read("x{\\b " + word.mid(1).toLatin1() + "} short words\\par").plainText();
        const QStringList pieces = text.split(zeroWidthSpace);
        QCOMPARE(pieces.size(), 4);
        for (const QString& piece : pieces.first(3))
            QCOMPARE(piece.size(), RtfDocumentWriter::MaxWordLength);
        QCOMPARE(QString(text).remove(zeroWidthSpace), word + " short words");
        // A blank, a tab or a line break lets a line end there: words up to the limit stay whole.
        const QString fits(RtfDocumentWriter::MaxWordLength, QLatin1Char('y'));
        const QByteArray bytes = fits.toLatin1();
        QVERIFY(!read(bytes + " " + bytes + "\\tab " + bytes + "\\line " + bytes).plainText().contains(zeroWidthSpace));
    }

    void fontAndColourTables()
    {
        const RtfDocument doc = read(R"(\pard x\cf1 r\highlight2 h\cf0\highlight0 p\cf9 q\par)");
        const auto& runs = doc.paragraphs[0].runs;
        QCOMPARE(runs.size(), 4u);
        QCOMPARE(runs[0].format.fontFamily, QStringLiteral("Arial"));
        QVERIFY(!runs[0].format.foreground);
        QCOMPARE(runs[1].format.foreground, std::optional<quint32>(0xFF0000));
        QCOMPARE(runs[2].format.highlight, std::optional<quint32>(0x0080FF));
        // Index 0 is the empty "auto" entry; an index past the table is auto too.
        QCOMPARE(runs[3].text, QStringLiteral("pq"));
        QVERIFY(!runs[3].format.foreground && !runs[3].format.highlight);

        // Entries without groups, a missing ';' and a \deff naming the second font.
        const RtfDocument loose = RtfReader::read(R"({\rtf1\deff1{\fonttbl\f0\froman Georgia;\f1\fswiss Verdana;{\f2 Courier New}}{\f2 c}d})");
        QCOMPARE(loose.paragraphs[0].runs[0].format.fontFamily, QStringLiteral("Courier New"));
        QCOMPARE(loose.paragraphs[0].runs[1].format.fontFamily, QStringLiteral("Verdana"));
    }

    void eightBitTextFollowsTheFontsCodePage()
    {
        QCOMPARE(read(R"(caf\'e9 \'80\'93\'94\'85 \'E9)").plainText(), QStringLiteral("café €“”… é"));
        // Raw 8-bit bytes are read in the code page as well.
        QCOMPARE(read("na\xefve").plainText(), QStringLiteral("naïve"));
        QCOMPARE(read(R"(\f3 \'cf\'f0\'e8\'e2\'e5\'f2)").plainText(), QStringLiteral("Привет"));
        // Symbol text becomes Unicode and leaves the face to the viewer.
        const RtfDocument symbol = read(R"(\f2\'b7 \'61\'62)");
        QCOMPARE(symbol.plainText(), QStringLiteral("• αβ"));
        QVERIFY(symbol.paragraphs[0].runs[0].format.fontFamily.isEmpty());
        // A double-byte code page takes its two bytes together.
        QCOMPARE(RtfReader::read(R"({\rtf1\ansi\ansicpg932{\fonttbl{\f0\fnil\fcharset128 MS Mincho;}}\f0 \'82\'a0\'82\'a2})").plainText(),
            QStringLiteral("あい"));
        // A code page nobody knows falls back to Windows-1252.
        QCOMPARE(RtfReader::read(R"({\rtf1\ansi\ansicpg99999 \'e9\'80})").plainText(), QStringLiteral("é€"));
    }

    void unicodeWithFallbackSkipping()
    {
        QCOMPARE(read(R"(\u8364?x)").plainText(), QStringLiteral("€x"));
        QCOMPARE(read(R"(\uc2\u8364\'80\'80x)").plainText(), QStringLiteral("€x"));
        QCOMPARE(read(R"(\uc0\u8364 x)").plainText(), QStringLiteral("€x"));
        // Negative values stand for code units above 32767; a control word counts as one skipped character.
        QCOMPARE(read(R"(\u-3913\'3fx\u-10179?\u-8704?)").plainText(), QStringLiteral("\uF0B7x") + QString::fromUtf16(u"\U0001F600"));
        QCOMPARE(read(R"(\u233\emdash x)").plainText(), QStringLiteral("éx"));
        // \uc is group state, and the end of a group ends the skipping.
        QCOMPARE(read(R"({\uc3 \u233 abcd}\u233 ab)").plainText(), QStringLiteral("édéb"));
        QCOMPARE(read(R"({\uc5\u233}xy)").plainText(), QStringLiteral("éxy"));
    }

    void bulletsAreShownOnce()
    {
        const RtfDocument doc = read(R"(\pard{\pntext\f2\'b7\tab}{\*\pn\pnlvlblt\pnf2{\pntxtb\'b7}}\fi-200\li200 one\par
{\listtext\pard\plain\f2 \'b7\tab}{\pntext\f2\'b7\tab}two\par
{\pn\pnlvlbody{\pntxtb x}}three\par)");
        QCOMPARE(doc.plainText(), QStringLiteral("•\tone\n•\ttwo\nthree"));
        QCOMPARE(doc.paragraphs[0].format.firstLineIndent, -200);
        QCOMPARE(doc.paragraphs[0].format.leftIndent, 200);
        // The \plain inside the bullet group does not leak out of it.
        QCOMPARE(doc.paragraphs[1].runs.back().format.fontFamily, QStringLiteral("Arial"));
    }

    void paragraphFormats()
    {
        const RtfDocument doc = read(R"(\pard\qc\sb100\sa200 c\par\qr r\par\qj\li-300\ri400\fi500 j\par\pard l\par{\qc g}\par)");
        QCOMPARE(doc.paragraphs.size(), 5u);
        QCOMPARE(doc.paragraphs[0].format, (RtfParagraphFormat{RtfAlignment::Center, 0, 0, 0, 100, 200}));
        QCOMPARE(doc.paragraphs[1].format, (RtfParagraphFormat{RtfAlignment::Right, 0, 0, 0, 100, 200}));
        QCOMPARE(doc.paragraphs[2].format, (RtfParagraphFormat{RtfAlignment::Justify, -300, 400, 500, 100, 200}));
        QCOMPARE(doc.paragraphs[3].format, RtfParagraphFormat{});
        // The properties in force at \par count; a group's \qc ended before it.
        QCOMPARE(doc.paragraphs[4].format.alignment, RtfAlignment::Left);
        // The mark's format sizes an empty paragraph.
        const RtfDocument empty = read(R"(\fs40\par\fs20 x\par)");
        QCOMPARE(empty.paragraphs[0].markFormat.halfPoints, 40);
        QVERIFY(empty.paragraphs[0].runs.empty());
        // A last paragraph without \par is kept.
        QCOMPARE(read("\\par tail").plainText(), QStringLiteral("\ntail"));
    }

    void specialCharactersAndBreaks()
    {
        QCOMPARE(read("a\\~b\\-c\\_d\\{\\}\\\\e\\tab f\\line g\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote").plainText(),
            QStringLiteral("a\u00A0b\u00ADc\u2011d{}\\e\tf\u2028g—–•‘’“”"));
        // Line ends in the source are not text; a backslash before one is a paragraph mark; cells and rows become tabs and paragraphs.
        QCOMPARE(read("on\r\ne\\\nt\\\ro\\cell w\\cell\\row x\ty").plainText(), QStringLiteral("one\nt\no\tw\t\nx\ty"));
        // Control characters other than tab are dropped, also when they arrive as \u.
        QCOMPARE(read("a\x01\x7f{\\uc0\\u10\\u8233}b").plainText(), QStringLiteral("ab"));
    }

    void destinationsThatAreNotText()
    {
        const RtfDocument doc = read(R"({\stylesheet{\s0 Normal;}}{\info{\title T}{\author A}}{\*\generator G;}
{\*\themedata 0123}{\pict\pngblip 89504e47}{\header H}{\*\unknownthing U{\nested N}}{\*\bkmkstart b}
\unknownword K{\field{\*\fldinst HYPERLINK "x"}{\fldrslt L}}\par)");
        QCOMPARE(doc.plainText(), QStringLiteral("KL"));
        // \* only marks a destination at the start of a group.
        QCOMPARE(read(R"(a\*b)").plainText(), QStringLiteral("ab"));
        // Binary data is passed over even when it holds braces and backslashes.
        QCOMPARE(read("x{\\pict\\bin6 }}\\{\\}y}z").plainText(), QStringLiteral("xz"));
        QCOMPARE(read("x\\bin3 {{{y").plainText(), QStringLiteral("xy"));
    }

    void onlyRtfIsRead()
    {
        QVERIFY(RtfReader::read("Hello, world").paragraphs.empty());
        QVERIFY(RtfReader::read("").paragraphs.empty());
        QVERIFY(!RtfReader::read("").complete);
        QCOMPARE(RtfReader::read("\xEF\xBB\xBF \r\n{\\rtf1 ok}").plainText(), QStringLiteral("ok"));
        // Nothing after the outermost group is read.
        const RtfDocument doc = RtfReader::read("{\\rtf1 a}b}{c");
        QCOMPARE(doc.plainText(), QStringLiteral("a"));
        QVERIFY(doc.complete);
    }

    void everyTruncationReadsAPrefix()
    {
        const QString full = RtfReader::read(Page).plainText();
        QCOMPARE(full, QStringLiteral("Title\nPlain italic and under, gone.\n•\tcafé “quoted”\nred text\u2028next\tend"));
        for (qsizetype n = 0; n < Page.size(); ++n) {
            const RtfDocument cut = RtfReader::read(Page.first(n));
            QVERIFY2(!cut.complete, qPrintable(QString::number(n)));
            QVERIFY2(full.startsWith(cut.plainText()), qPrintable(QString::number(n)));
        }
    }

    void hostileInputIsBoundedAndFast()
    {
        QElapsedTimer timer;
        timer.start();

        // 100 000 open braces: the deep text is dropped, the braces still counted, so the text after them is read.
        const QByteArray deep = "{\\rtf1 before" + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + " after}";
        const RtfDocument balanced = RtfReader::read(deep);
        QCOMPARE(balanced.plainText(), QStringLiteral("before after"));
        QVERIFY(balanced.complete);
        const RtfDocument open = RtfReader::read("{\\rtf1 before" + QByteArray(1000000, '{') + "lost");
        QCOMPARE(open.plainText(), QStringLiteral("before"));
        QVERIFY(!open.complete);

        // Huge numbers are clamped.
        const RtfDocument huge = read(R"(\fs999999999999999999999\li-99999999999999\sa99999999\cf99999999999 x\u99999999999 y\uc999999999\u65 zzzzzzzzzzzzzzzzz\par)");
        QCOMPARE(huge.paragraphs[0].runs[0].format.halfPoints, 400);
        QCOMPARE(huge.paragraphs[0].format.leftIndent, -31680);
        QCOMPARE(huge.paragraphs[0].format.spaceAfter, 31680);
        // An unknown \\u still skips its fallback: " y" (the blank ends the word), then 16 of the 17 z.
        QCOMPARE(huge.plainText(), QStringLiteral("xAz"));

        // A control word thousands of letters long is one unknown word.
        QCOMPARE(read("\\" + QByteArray(100000, 'b') + "1 x").plainText(), QStringLiteral("x"));
        // \bin counts past the end.
        QCOMPARE(read("x\\bin999999999999999 yyy").plainText(), QStringLiteral("x"));
        QCOMPARE(read("x\\bin-5 y").plainText(), QStringLiteral("xy"));

        // The result stops growing at the writer's limits.
        const RtfDocument paragraphs = read(QByteArray("\\par ").repeated(RtfDocumentWriter::MaxParagraphs + 10));
        QCOMPARE(std::ssize(paragraphs.paragraphs), RtfDocumentWriter::MaxParagraphs);
        QVERIFY(!paragraphs.complete);
        const RtfDocument text = read(QByteArray(RtfDocumentWriter::MaxCharacters + 10, 'x'));
        QCOMPARE(text.plainText().size(), RtfDocumentWriter::MaxCharacters);
        QVERIFY(!text.complete);
        const RtfDocument runs = read(QByteArray("\\b x\\b0 y").repeated(RtfDocumentWriter::MaxRuns));
        QCOMPARE(std::ssize(runs.paragraphs[0].runs), RtfDocumentWriter::MaxRuns);

        // Random junk behind a valid header, in seeded rounds: any result, but no crash.
        QRandomGenerator random(20240521);
        for (int round = 0; round < 200; ++round) {
            QByteArray junk(4096, Qt::Uninitialized);
            for (char& c : junk)
                c = static_cast<char>(random.bounded(256));
            RtfReader::read(Header + junk);
        }
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    }

    void runtimeIsLinearInTheInput()
    {
        // Twice the input may take about twice the time, never four times.
        const auto timeFor = [](int copies) {
            const QByteArray body = QByteArray(R"({\b\'e9\u233?{\*\x y}{\pntext z}\par})").repeated(copies);
            QElapsedTimer timer;
            timer.start();
            RtfReader::read("{\\rtf1 " + body + "}");
            return timer.nsecsElapsed();
        };
        timeFor(20000);
        const qint64 small = timeFor(20000);
        const qint64 large = timeFor(80000);
        QVERIFY2(large < small * 10, qPrintable(QStringLiteral("%1 vs %2").arg(large).arg(small)));
    }
};

QTEST_GUILESS_MAIN(TestRtfReader)
#include "test_rtf_reader.moc"
