#include "ui/twips.h"
#include "core/help/rtf_reader.h"
#include "ui/rtf_text_document_builder.h"

#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

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
        QList<QTextCharFormat> format;
        QStringList text;
        for (auto it = document.firstBlock().begin(); !it.atEnd(); ++it) {
            format.append(it.fragment().charFormat());
            text.append(it.fragment().text());
        }
        QCOMPARE(text.size(), 5);

        QCOMPARE(format[0].fontFamilies().toStringList(), QStringList{"Times New Roman"});
        QCOMPARE(format[0].fontPointSize(), 7.5);
        QVERIFY(!format[0].fontItalic() && !format[0].hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(format[1].fontWeight(), int(QFont::Bold));
        QVERIFY(format[1].fontItalic() && format[1].fontUnderline() && format[1].fontStrikeOut());
        QCOMPARE(format[2].foreground().color(), QColor(255, 0, 0));
        QCOMPARE(format[2].background().color(), QColor(0, 0, 255));
        QCOMPARE(format[2].fontPointSize(), 12.0);

        // Symbol text arrives as Unicode and names no face, so the view's default face draws it.
        QCOMPARE(text[3], QStringLiteral("•"));
        QVERIFY(!format[3].hasProperty(QTextFormat::FontFamilies));
        QCOMPARE(text[4], QStringLiteral(" x") + QChar(QChar::LineSeparator) + QStringLiteral("y"));
    }
};

QTEST_MAIN(TestRtfTextDocumentBuilder)
#include "test_rtf_text_document_builder.moc"
