#include "ui/fonts.h"
#include "windows/about_window.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestAboutWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void theNoticesFitTheirLabels()
    {
        AboutWindow about;
        const QLabel* copyright = about.copyrightLabel;
        QVERIFY(copyright->fontMetrics().horizontalAdvance(copyright->text()) <= copyright->width());
        QVERIFY(about.legalLabel->heightForWidth(about.legalLabel->width()) <= about.legalLabel->height());
    }

    void enterEscAndOkClose_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("OK") << 0;
    }

    void enterEscAndOkClose()
    {
        QFETCH(int, key);
        AboutWindow about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        if (key != 0)
            QTest::keyClick(&about, Qt::Key(key));
        else
            QTest::mouseClick(about.okButton, Qt::LeftButton);
        QVERIFY(!about.isVisible());
    }
};

QTEST_MAIN(TestAboutWindow)
#include "test_about_window.moc"
