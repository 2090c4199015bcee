#include "windows/help_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

class TestHelpFrm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aBrokenDocumentGivesAnEmptyOrPartialTextAndNoMessage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("PegHelp.rtf"));
        const auto shown = [&](const QByteArray& contents) {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
                qFatal("cannot write %s", qPrintable(path));
            file.close();
            return HelpWindow(path).textBox->toPlainText();
        };
        QCOMPARE(shown("\x89PNG\r\n\x1a\n binary junk {\\rtf1 late}"), QString());
        QCOMPARE(shown(R"({\rtf1{\fonttbl{\f0 Arial;}}\b Half a page\par and a cut-off paragr)"),
                 QStringLiteral("Half a page\nand a cut-off paragr"));
        const QWidgetList windows = QApplication::topLevelWidgets();
        QVERIFY(std::none_of(windows.begin(), windows.end(), [](QWidget* w) { return qobject_cast<QMessageBox*>(w); }));
    }

    void okAndTheCloseBoxBothJustClose()
    {
        for (const bool byButton : {true, false}) {
            HelpWindow help(QStringLiteral(HOPNIX_SOURCE_DIR "/assets/PegHelp.rtf"));
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
