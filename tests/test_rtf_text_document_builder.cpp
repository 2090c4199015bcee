#include "ui/twips.h"
#include "core/help/rtf_reader.h"
#include "ui/rtf_text_document_builder.h"

#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace {

struct Fragment {
    QString text;
    QTextCharFormat format;
};

QList<Fragment> fragments(const QTextBlock& block)
{
    QList<Fragment> result;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        result.append({it.fragment().text(), it.fragment().charFormat()});
    return result;
}

} // namespace

class TestRtfTextDocumentBuilder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void paragraphsBecomeBlocksWithTheirFormats()
    {
        const RtfDocument source = RtfReader::read(R"({\rtf1{\fonttbl{\f0 Arial;}}
\pard\qc\sb150\sa300 centre\par\pard\qr right\par\pard\qj\li300\ri600 justified\par\pard\fi-300\li450 hanging\par\fs40\par})");
        QTextDocument document;
        document.setPlainText(QStringLiteral("old text"));
        RtfTextDocumentBuilder::build(source, document);

        QCOMPARE(document.toPlainText(), QStringLiteral("centre\nright\njustified\nhanging\n"));
        const QTextBlockFormat centre = document.findBlockByNumber(0).blockFormat();
        QCOMPARE(centre.alignment(), Qt::AlignHCenter);
        QCOMPARE(centre.bottomMargin(), qreal(Twips::toPixels(300)));
        QCOMPARE(document.findBlockByNumber(1).blockFormat().alignment(), Qt::AlignRight);
        const QTextBlockFormat justified = document.findBlockByNumber(2).blockFormat();
        QCOMPARE(justified.alignment(), Qt::AlignJustify);
        QCOMPARE(justified.rightMargin(), qreal(40));
        const QTextBlockFormat hanging = document.findBlockByNumber(3).blockFormat();
        QCOMPARE(hanging.textIndent(), qreal(-20));
        // A hanging indent is also a tab stop, as in a word processor, so "bullet<tab>text" lines up.
        QCOMPARE(hanging.tabPositions().size(), 1);
        QCOMPARE(hanging.tabPositions().first().position, qreal(30));
        // The empty last paragraph keeps the size of its mark.
        QCOMPARE(document.findBlockByNumber(4).charFormat().fontPointSize(), 20.0);
        // A document that is not RTF leaves no old text behind.
        RtfTextDocumentBuilder::build(RtfReader::read("not rtf"), document);
        QVERIFY(document.isEmpty());
    }

    void runsBecomeCharacterFormats()
    {
        const RtfDocument source = RtfReader::read(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Times New Roman;}{\f2\fcharset2 Symbol;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}
\f1\fs15 plain \b\i\ul\strike all\plain\cf1\highlight2  colour \f2\'b7\f0  x\line y})");
        QTextDocument document;
        RtfTextDocumentBuilder::build(source, document);
        const QList<Fragment> parts = fragments(document.firstBlock());
        QCOMPARE(parts.size(), 5);

        QCOMPARE(parts[0].format.fontFamilies().toStringList(), QStringList{"Times New Roman"});
        QCOMPARE(parts[0].format.fontPointSize(), 7.5);
        QVERIFY(!parts[0].format.fontItalic() && !parts[0].format.hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(parts[1].format.fontWeight(), int(QFont::Bold));
        QVERIFY(parts[1].format.fontItalic() && parts[1].format.fontUnderline() && parts[1].format.fontStrikeOut());
        QCOMPARE(parts[2].format.foreground().color(), QColor(255, 0, 0));
        QCOMPARE(parts[2].format.background().color(), QColor(0, 0, 255));
        QCOMPARE(parts[2].format.fontPointSize(), 12.0);

        // Symbol text arrives as Unicode and names no face, so the view's default face draws it.
        QCOMPARE(parts[3].text, QStringLiteral("•"));
        QVERIFY(!parts[3].format.hasProperty(QTextFormat::FontFamilies));
        QCOMPARE(parts[4].text, QStringLiteral(" x") + QChar(QChar::LineSeparator) + QStringLiteral("y"));
    }
};

QTEST_MAIN(TestRtfTextDocumentBuilder)
#include "test_rtf_text_document_builder.moc"
