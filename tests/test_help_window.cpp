#include "ui/twips.h"
#include "windows/help_window.h"
#include "core/help/rtf_document_writer.h"

#include <QApplication>
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
    void showsTheHelpDocument()
    {
        HelpWindow help(InstalledHelp);
        QVERIFY(help.textBox->isReadOnly());
        const QString text = help.textBox->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("Hopnix Help\n")));
        // Bullets from \pntext, shown once each.
        QVERIFY(text.contains(QStringLiteral("\n•\tClick a peg")) && !text.contains(QStringLiteral("••")));
    }

    void readsTheFileAnewEachTime()
    {
        QTemporaryDir dir;
        const QString path = write(dir, R"({\rtf1 first})");
        QCOMPARE(HelpWindow(path).textBox->toPlainText(), QStringLiteral("first"));
        write(dir, R"({\rtf1 second})");
        QCOMPARE(HelpWindow(path).textBox->toPlainText(), QStringLiteral("second"));
    }

    void aMissingUnreadableOrBrokenDocumentGivesAnEmptyOrPartialText()
    {
        QTemporaryDir dir;
        HelpWindow missing(dir.filePath(QStringLiteral("PegHelp.rtf")));
        QVERIFY(missing.textBox->document()->isEmpty());
        HelpWindow notRtf(write(dir, "\x89PNG\r\n\x1a\n binary junk {\\rtf1 late}"));
        QVERIFY(notRtf.textBox->document()->isEmpty());
        HelpWindow truncated(write(dir, R"({\rtf1{\fonttbl{\f0 Arial;}}\b Half a page\par and a cut-off paragr)"));
        QCOMPARE(truncated.textBox->toPlainText(), QStringLiteral("Half a page\nand a cut-off paragr"));
        QVERIFY(!anyMessageBox());
    }

    void runHeavyDocumentsAreCutToWhatLaysOutQuickly()
    {
        // 8 MB of alternating formats: laid out whole, it kept the window from opening for half a minute.
        QTemporaryDir dir;
        const QByteArray unit = R"({\b a}{\i b})";
        const QByteArray rtf = "{\\rtf1 " + unit.repeated((HelpWindow::MaxDocumentBytes - 8) / unit.size()) + "}";
        HelpWindow help(write(dir, rtf));
        qsizetype formatRuns = 0;
        for (QTextBlock block = help.textBox->document()->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it)
                ++formatRuns;
        }
        QVERIFY2(formatRuns <= RtfDocumentWriter::MaxRuns, qPrintable(QString::number(formatRuns)));
        QVERIFY(help.textBox->toPlainText().startsWith(QStringLiteral("abab")));
    }

    void okAndTheCloseBoxBothJustClose()
    {
        for (const bool byButton : {true, false}) {
            HelpWindow help(InstalledHelp);
            QSignalSpy unloads(&help, &HelpWindow::queryUnload);
            help.show();
            QVERIFY(QTest::qWaitForWindowExposed(&help));
            if (byButton)
                QTest::mouseClick(help.okButton, Qt::LeftButton);
            else
                QVERIFY(help.close());
            QVERIFY(!help.isVisible());
            QCOMPARE(unloads.count(), 1);
        }
    }
};

QTEST_MAIN(TestHelpFrm)
#include "test_help_window.moc"
