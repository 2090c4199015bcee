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
        HighScoreWindow window(QStringLiteral("European 1"), table);
        const auto row = [&](int i) {
            return QStringList({window.nameLabel(i).text(), window.scoreLabel(i).text(), window.timeLabel(i).text()});
        };
        QCOMPARE(row(1), QStringList({"anna <b>", "3 Pegs left", "00:01:40"}));
        QCOMPARE(row(2), QStringList({"", "12 Pegs left", "01:02:03"}));
        QCOMPARE(row(5), QStringList({"", "", ""}));
        QCOMPARE(window.nameLabel(1).textFormat(), Qt::PlainText);

        runModal(window, [&] { window.okButton().click(); });
        QVERIFY(!window.isVisible());
    }

    void nameWindowStartsInTheNameBox()
    {
        NameEntryWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), &window.nameBox());
        QTest::keyClick(&window.nameBox(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &window.okButton());
    }

    void nameBoxRefusesWhatCannotBeStored()
    {
        NameEntryWindow window;
        QLineEdit& box = window.nameBox();
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
        for (const bool byOk : {true, false}) {
            NameEntryWindow window;
            runModal(window, [&] {
                QTest::keyClicks(&window.nameBox(), QStringLiteral(" jo, Jo "));
                byOk ? window.okButton().click() : void(window.close());
            });
            QCOMPARE(window.name(), QStringLiteral(" jo, Jo "));
        }
        NameEntryWindow untouched;
        runModal(untouched, [&] { untouched.close(); });
        QCOMPARE(untouched.name(), QString());
    }
};

QTEST_MAIN(TestHighScoreWindows)
#include "test_high_score_windows.moc"
