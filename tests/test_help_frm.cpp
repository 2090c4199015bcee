#include "app/twips.h"
#include "windows/help_frm.h"
#include "windows/rtf_document_writer.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

namespace {

const QString InstalledHelp = QStringLiteral(HOPNIX_SOURCE_DIR "/assets/PegHelp.rtf");

QString write(const QTemporaryDir& dir, const QByteArray& contents)
{
    const QString path = dir.filePath(QStringLiteral("PegHelp.rtf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

bool anyMessageBox()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; });
}

} // namespace

class TestHelpFrm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windowLayout()
    {
        HelpFrm help(InstalledHelp);
        QCOMPARE(help.windowTitle(), QStringLiteral("Hopnix Help"));
        QCOMPARE(help.size(), Twips::size(5040, 4290));
        QCOMPARE(help.minimumSize(), help.maximumSize());
        QVERIFY(!(help.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(help.isModal());
        QCOMPARE(help.RichTextBox1->geometry(), Twips::rect(120, 120, 4812, 3372));
        QVERIFY(help.RichTextBox1->isReadOnly());
        QCOMPARE(help.RichTextBox1->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(help.RichTextBox1->font().pointSizeF(), 7.5);
        QCOMPARE(help.Command1->text(), QStringLiteral("OK"));
        QCOMPARE(help.Command1->geometry(), Twips::rect(2040, 3720, 972, 372));
    }

    void showsTheHelpDocument()
    {
        HelpFrm help(InstalledHelp);
        const QString text = help.RichTextBox1->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("Hopnix Help\n")));
        for (const char* board : {"Classic", "European 1", "European 2", "Square 7x7", "Square 6x6"})
            QVERIFY2(text.contains(QLatin1String(board)), board);
        // Bullets from \pntext, shown once each.
        QVERIFY(text.contains(QStringLiteral("\n•\tClick a peg")));
        QVERIFY(!text.contains(QStringLiteral("••")));
        QCOMPARE(help.RichTextBox1->document()->firstBlock().blockFormat().alignment(), Qt::AlignHCenter);
    }

    void readsTheFileAnewEachTime()
    {
        QTemporaryDir dir;
        const QString path = write(dir, R"({\rtf1 first})");
        QCOMPARE(HelpFrm(path).RichTextBox1->toPlainText(), QStringLiteral("first"));
        write(dir, R"({\rtf1 second})");
        QCOMPARE(HelpFrm(path).RichTextBox1->toPlainText(), QStringLiteral("second"));
    }

    void aMissingUnreadableOrBrokenDocumentGivesAnEmptyOrPartialText()
    {
        QTemporaryDir dir;
        HelpFrm missing(dir.filePath(QStringLiteral("PegHelp.rtf")));
        QVERIFY(missing.RichTextBox1->document()->isEmpty());
        // A directory where the file should be cannot be read as one.
        HelpFrm unreadable(dir.path());
        QVERIFY(unreadable.RichTextBox1->document()->isEmpty());
        HelpFrm notRtf(write(dir, "\x89PNG\r\n\x1a\n binary junk {\\rtf1 late}"));
        QVERIFY(notRtf.RichTextBox1->document()->isEmpty());
        HelpFrm truncated(write(dir, R"({\rtf1{\fonttbl{\f0 Arial;}}\b Half a page\par and a cut-off paragr)"));
        QCOMPARE(truncated.RichTextBox1->toPlainText(), QStringLiteral("Half a page\nand a cut-off paragr"));
        QVERIFY(!anyMessageBox());
    }

    void runHeavyDocumentsAreCutToWhatLaysOutQuickly()
    {
        // 8 MB of alternating formats: laid out whole, it kept the window from opening for half a minute.
        QTemporaryDir dir;
        const QByteArray unit = R"({\b a}{\i b})";
        const QByteArray rtf = "{\\rtf1 " + unit.repeated((HelpFrm::MaxDocumentBytes - 8) / unit.size()) + "}";
        HelpFrm help(write(dir, rtf));
        qsizetype formatRuns = 0;
        for (QTextBlock block = help.RichTextBox1->document()->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it)
                ++formatRuns;
        }
        QVERIFY2(formatRuns <= RtfDocumentWriter::MaxRuns, qPrintable(QString::number(formatRuns)));
        // The start of the text is there.
        QVERIFY(help.RichTextBox1->toPlainText().startsWith(QStringLiteral("abab")));
    }

    void okAndTheCloseBoxBothJustClose()
    {
        HelpFrm byButton(InstalledHelp);
        QSignalSpy buttonSpy(&byButton, &HelpFrm::queryUnload);
        byButton.show();
        QVERIFY(QTest::qWaitForWindowExposed(&byButton));
        QTest::mouseClick(byButton.Command1, Qt::LeftButton);
        QVERIFY(!byButton.isVisible());
        QCOMPARE(buttonSpy.count(), 1);

        HelpFrm byCloseBox(InstalledHelp);
        QSignalSpy closeSpy(&byCloseBox, &HelpFrm::queryUnload);
        byCloseBox.show();
        QVERIFY(QTest::qWaitForWindowExposed(&byCloseBox));
        QVERIFY(byCloseBox.close());
        QVERIFY(!byCloseBox.isVisible());
        QCOMPARE(closeSpy.count(), 1);
    }
};

QTEST_MAIN(TestHelpFrm)
#include "test_help_frm.moc"
