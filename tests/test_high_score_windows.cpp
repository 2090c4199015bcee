#include "ui/twips.h"
#include "windows/name_entry_window.h"
#include "windows/high_score_window.h"
#include "core/scores/high_score_table.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Runs the dialog modally and lets `act` close it, as the player would.
template <typename Act>
void runModal(QDialog& dialog, Act act)
{
    QTimer::singleShot(0, &dialog, [&] { act(); });
    dialog.exec();
}

// Types each character as a key press; keyClicks takes only ASCII.
void type(QWidget& widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, &widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestHighScoreWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tableWindow()
    {
        HighScoreTable table;
        table.append({QStringLiteral("anna <b>"), 3, 100.0 / 86400.0});
        table.append({QString(), 12, 3723.0 / 86400.0});
        HighScoreFrm window(QStringLiteral("European 1"), table);

        QCOMPARE(window.windowTitle(), QStringLiteral("High Scores"));
        QCOMPARE(window.size(), Twips::size(4440, 3690));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!window.Picture1().pixmap().isNull());
        QCOMPARE(window.Label1().text(), QStringLiteral("Top Players - European 1"));

        const auto row = [&](int i) {
            return QStringList({window.NameLbl(i).text(), window.ScoreLbl(i).text(), window.TimeTxt(i).text()});
        };
        QCOMPARE(row(1), QStringList({"anna <b>", "3 Pegs left", "00:01:40"}));
        QCOMPARE(row(2), QStringList({"", "12 Pegs left", "01:02:03"}));
        QCOMPARE(row(5), QStringList({"", "", ""}));
        QCOMPARE(window.NameLbl(1).textFormat(), Qt::PlainText);
        QCOMPARE(window.ScoreLbl(3).geometry(), Twips::rect(1800, 1440, 1095, 255));
        QCOMPARE(window.NameLbl(5).geometry(), Twips::rect(120, 2160, 1575, 255));

        runModal(window, [&] { window.Command1().click(); });
        QVERIFY(!window.isVisible());
    }

    void nameWindow()
    {
        HewHighScoreFrm window;
        QCOMPARE(window.windowTitle(), QStringLiteral("New High Score"));
        QCOMPARE(window.size(), Twips::size(3795, 2595));
        QCOMPARE(window.Label1().text(),
                 QStringLiteral("You got a new high score!  Please enter your name in the box below.  "
                                "Click \"OK\" when your done."));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), &window.Text1());
        QTest::keyClick(&window.Text1(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &window.Command1());
    }

    void nameBoxRefusesWhatCannotBeStored()
    {
        HewHighScoreFrm window;
        QLineEdit& box = window.Text1();
        QTest::keyClicks(&box, QStringLiteral("abcdefghijklm"));
        QCOMPARE(box.text(), QStringLiteral("abcdefghijkl"));
        box.clear();
        QTest::keyClicks(&box, QStringLiteral("Jo\"s"));
        QCOMPARE(box.text(), QStringLiteral("Jos"));
        box.clear();
        type(box, QStringLiteral("ZoëΩ€"));
        QCOMPARE(box.text(), QStringLiteral("Zoë€"));
    }

    void nameSurvivesEitherWayOfClosing()
    {
        HewHighScoreFrm byOk;
        runModal(byOk, [&] {
            QTest::keyClicks(&byOk.Text1(), QStringLiteral(" jo, Jo "));
            byOk.Command1().click();
        });
        QCOMPARE(byOk.name(), QStringLiteral(" jo, Jo "));

        HewHighScoreFrm byCloseBox;
        runModal(byCloseBox, [&] {
            QTest::keyClicks(&byCloseBox.Text1(), QStringLiteral("Anna"));
            byCloseBox.close();
        });
        QCOMPARE(byCloseBox.name(), QStringLiteral("Anna"));

        HewHighScoreFrm untouched;
        runModal(untouched, [&] { untouched.close(); });
        QCOMPARE(untouched.name(), QString());
    }
};

QTEST_MAIN(TestHighScoreWindows)
#include "test_high_score_windows.moc"
