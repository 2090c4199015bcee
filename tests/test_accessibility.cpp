// What assistive tools learn from the main window: cell names and their press action, status texts, menu keys.
#include "ui/board_view.h"
#include "windows/main_window.h"
#include "windows/main_menu.h"
#include "windows/status_panel.h"
#include "ui/picture_cell.h"
#include "support/main_window_harness.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace {

QAccessibleInterface* accessible(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return iface;
}

QString cellName(const MainWindowHarness& h, int row, int col)
{
    return accessible(h.form().boardView().cell(row, col))->text(QAccessible::Name);
}

void press(const MainWindowHarness& h, int row, int col)
{
    QAccessibleInterface* cell = accessible(h.form().boardView().cell(row, col));
    cell->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cellNamesFollowThePlay();
    void pressingACellPlaysLikeAClick();
    void statusTextsAreExposed();
    void menusKeepTheirAccessKeys();
};

void TestAccessibility::cellNamesFollowThePlay()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    QCOMPARE(accessible(form.boardView().cell(3, 4))->role(), QAccessible::Button);
    // Before the first game every hole shows a peg.
    QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 4, column 5: peg"));

    form.newGame();
    QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 4, column 5: empty hole"));
    QCOMPARE(cellName(h, 3, 2), QStringLiteral("Row 4, column 3: peg"));
    h.click(3, 2);
    QCOMPARE(cellName(h, 3, 2), QStringLiteral("Row 4, column 3: selected peg"));
    h.click(3, 2);
    QCOMPARE(cellName(h, 3, 2), QStringLiteral("Row 4, column 3: peg"));

    // A jump and its undo rename all three cells.
    h.click(3, 2);
    h.click(3, 4);
    QCOMPARE(cellName(h, 3, 2), QStringLiteral("Row 4, column 3: empty hole"));
    QCOMPARE(cellName(h, 3, 3), QStringLiteral("Row 4, column 4: empty hole"));
    QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 4, column 5: peg"));
    form.undoMove();
    QCOMPARE(cellName(h, 3, 2), QStringLiteral("Row 4, column 3: peg"));
    QCOMPARE(cellName(h, 3, 3), QStringLiteral("Row 4, column 4: peg"));
    QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 4, column 5: empty hole"));

    // End Game shows a peg in every hole again, and the names say so.
    form.endGame();
    QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 4, column 5: peg"));
    // The last row and column are counted as people count them.
    QCOMPARE(cellName(h, 8, 8), QStringLiteral("Row 9, column 9: peg"));
}

void TestAccessibility::pressingACellPlaysLikeAClick()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    QAccessibleInterface* cell = accessible(form.boardView().cell(5, 4));
    QVERIFY(cell->actionInterface());
    // Between games the board refuses presses as it refuses clicks.
    QVERIFY(!cell->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    press(h, 5, 4);
    QCOMPARE(cellName(h, 5, 4), QStringLiteral("Row 6, column 5: peg"));

    form.newGame();
    QVERIFY(cell->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    press(h, 5, 4);
    QCOMPARE(cellName(h, 5, 4), QStringLiteral("Row 6, column 5: selected peg"));
    press(h, 3, 4);
    QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 4, column 5: peg"));
    QCOMPARE(form.panel().pegsLeftValue->text(), QStringLiteral("35"));

    // A paused board is hidden and cannot be pressed.
    form.togglePause();
    press(h, 2, 4);
    form.togglePause();
    QCOMPARE(cellName(h, 2, 4), QStringLiteral("Row 3, column 5: peg"));
    // Cells off the board are hidden and offer no press either.
    QVERIFY(!accessible(form.boardView().cell(0, 0))->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
}

void TestAccessibility::statusTextsAreExposed()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    const StatusPanel& panel = form.panel();
    form.newGame();
    QCOMPARE(accessible(panel.pegsLeftCaption)->text(QAccessible::Name), QStringLiteral("# Pegs Left"));
    QCOMPARE(accessible(panel.pegsLeftValue)->text(QAccessible::Name), QStringLiteral("36"));
    QCOMPARE(accessible(panel.boardNameLabel)->text(QAccessible::Name), QStringLiteral("Classic"));
    QCOMPARE(accessible(panel.topPlayerCaption)->text(QAccessible::Name), QStringLiteral("TOP PLAYER"));
    QCOMPARE(accessible(panel.undoButton)->text(QAccessible::Name), QStringLiteral("Undo Move"));
    h.click(5, 4);
    h.click(3, 4);
    QCOMPARE(accessible(panel.pegsLeftValue)->text(QAccessible::Name), QStringLiteral("35"));
    QCOMPARE(accessible(&form.boardView())->text(QAccessible::Name), QStringLiteral("Board"));
}

void TestAccessibility::menusKeepTheirAccessKeys()
{
    MainWindowHarness h;
    QAccessibleInterface* bar = accessible(h.form().menuBar());
    QStringList menus;
    for (int i = 0; i < bar->childCount(); ++i)
        menus.append(bar->child(i)->text(QAccessible::Name) + QLatin1Char('|')
                     + bar->child(i)->text(QAccessible::Accelerator).toLower());
    // "&High Scores" and "&Help" share their key as designed.
    const QStringList expected{QStringLiteral("Game|alt+g"),  QStringLiteral("Boards|alt+b"),
                               QStringLiteral("High Scores|alt+h"), QStringLiteral("Style|alt+t"),
                               QStringLiteral("Sound|alt+s"), QStringLiteral("Music|alt+m"),
                               QStringLiteral("Help|alt+h")};
    QCOMPARE(menus, expected);

    QAccessibleInterface* game = accessible(h.form().menu().File);
    QStringList keyed;
    for (int i = 0; i < game->childCount(); ++i)
        if (const QString key = game->child(i)->text(QAccessible::Accelerator); !key.isEmpty())
            keyed.append(game->child(i)->text(QAccessible::Name) + QLatin1Char('|') + key.toLower());
    QCOMPARE(keyed, (QStringList{QStringLiteral("New Game|alt+n"), QStringLiteral("End Game|alt+e"),
                                 QStringLiteral("Exit|alt+x")}));
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
