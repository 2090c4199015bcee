#include "ui/rtf_text_document_builder.h"

#include "ui/twips.h"

#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

Qt::Alignment alignment(RtfAlignment value)
{
    switch (value) {
    case RtfAlignment::Center:
        return Qt::AlignHCenter;
    case RtfAlignment::Right:
        return Qt::AlignRight;
    case RtfAlignment::Justify:
        return Qt::AlignJustify;
    case RtfAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QColor colour(quint32 rgb)
{
    return QColor(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF), static_cast<int>(rgb & 0xFF));
}

} // namespace

void RtfTextDocumentBuilder::build(const RtfDocument& source, QTextDocument& target)
{
    target.clear();
    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    bool first = true;
    for (const RtfParagraph& paragraph : source.paragraphs) {
        const QTextBlockFormat block = blockFormat(paragraph.format);
        const QTextCharFormat mark = charFormat(paragraph.markFormat);
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(mark);
            first = false;
        } else {
            cursor.insertBlock(block, mark);
        }
        for (const RtfRun& run : paragraph.runs)
            cursor.insertText(run.text, charFormat(run.format));
    }
    cursor.endEditBlock();
}

QTextBlockFormat RtfTextDocumentBuilder::blockFormat(const RtfParagraphFormat& format)
{
    QTextBlockFormat block;
    block.setAlignment(alignment(format.alignment));
    block.setLeftMargin(Twips::toPixels(format.leftIndent));
    block.setRightMargin(Twips::toPixels(format.rightIndent));
    block.setTextIndent(Twips::toPixels(format.firstLineIndent));
    block.setTopMargin(Twips::toPixels(format.spaceBefore));
    block.setBottomMargin(Twips::toPixels(format.spaceAfter));
    // Word processors treat a hanging indent as a tab stop: the tab after a bullet reaches the text.
    if (format.firstLineIndent < 0)
        block.setTabPositions({QTextOption::Tab(Twips::toPixels(format.leftIndent), QTextOption::LeftTab)});
    return block;
}

QTextCharFormat RtfTextDocumentBuilder::charFormat(const RtfCharFormat& format)
{
    QTextCharFormat chars;
    if (!format.fontFamily.isEmpty())
        chars.setFontFamilies({format.fontFamily});
    chars.setFontPointSize(format.halfPoints / 2.0);
    chars.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    chars.setFontItalic(format.italic);
    chars.setFontUnderline(format.underline);
    chars.setFontStrikeOut(format.strike);
    if (format.foreground)
        chars.setForeground(colour(*format.foreground));
    if (format.highlight)
        chars.setBackground(colour(*format.highlight));
    return chars;
}
