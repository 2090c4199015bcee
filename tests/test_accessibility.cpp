// What assistive tools learn from the main window: cell names and their press action, status texts, menu keys.
#include "ui/board_view.h"
#include "windows/main_window.h"
#include "windows/main_menu.h"
#include "windows/status_panel.h"
#include "ui/picture_cell.h"
#include "support/main_window_harness.h"

#include "core/board/board_layout.h"

#include <QAccessible>
#include <QApplication>
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

void chooseBoard(MainWindowHarness& h, int board)
{
    h.form().menu().Level[static_cast<std::size_t>(board - 1)]->trigger();
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
    void namesCountFromTheBoardsOwnCorner();
    void focusFollowsTheCurrentCell();
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
    QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 3, column 4: peg"));

    form.newGame();
    QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 3, column 4: empty hole"));
    QCOMPARE(cellName(h, 3, 2), QStringLiteral("Row 3, column 2: peg"));
    h.click(3, 2);
    QCOMPARE(cellName(h, 3, 2), QStringLiteral("Row 3, column 2: selected peg"));
    h.click(3, 2);
    QCOMPARE(cellName(h, 3, 2), QStringLiteral("Row 3, column 2: peg"));

    // A jump and its undo rename all three cells.
    h.click(3, 2);
    h.click(3, 4);
    QCOMPARE(cellName(h, 3, 2), QStringLiteral("Row 3, column 2: empty hole"));
    QCOMPARE(cellName(h, 3, 3), QStringLiteral("Row 3, column 3: empty hole"));
    QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 3, column 4: peg"));
    form.undoMove();
    QCOMPARE(cellName(h, 3, 2), QStringLiteral("Row 3, column 2: peg"));
    QCOMPARE(cellName(h, 3, 3), QStringLiteral("Row 3, column 3: peg"));
    QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 3, column 4: empty hole"));

    // End Game shows a peg in every hole again, and the names say so.
    form.endGame();
    QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 3, column 4: peg"));
}

void TestAccessibility::namesCountFromTheBoardsOwnCorner()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    // Grid places of each board's first and last hole, and how they are heard.
    struct Corner {
        int board;
        int row;
        int col;
        QString name;
    };
    const std::vector<Corner> corners{
        {1, 1, 3, QStringLiteral("Row 1, column 3: peg")}, {1, 7, 5, QStringLiteral("Row 7, column 5: peg")},
        {3, 0, 3, QStringLiteral("Row 1, column 4: peg")}, {3, 8, 5, QStringLiteral("Row 9, column 6: peg")},
        {5, 1, 2, QStringLiteral("Row 1, column 1: peg")}, {5, 6, 7, QStringLiteral("Row 6, column 6: peg")},
        {2, 3, 1, QStringLiteral("Row 3, column 1: peg")}, {4, 1, 1, QStringLiteral("Row 1, column 1: peg")}};
    for (const Corner& corner : corners) {
        chooseBoard(h, corner.board);
        QCOMPARE(cellName(h, corner.row, corner.col), corner.name);
    }
    // Only the holes of the board in play are in the tree, the first one first.
    for (int board = 1; board <= BoardLayout::Count; ++board) {
        chooseBoard(h, board);
        QAccessibleInterface* tree = accessible(&form.boardView());
        QCOMPARE(tree->childCount(), BoardLayout::forBoard(board).holeCount());
        QVERIFY(tree->child(0)->text(QAccessible::Name).startsWith(QStringLiteral("Row 1, column ")));
        for (int i = 0; i < tree->childCount(); ++i) {
            QVERIFY(!tree->child(i)->state().invisible);
            QCOMPARE(tree->indexOfChild(tree->child(i)), i);
        }
        QCOMPARE(tree->indexOfChild(accessible(form.boardView().cell(0, 3))), board == 3 ? 0 : -1);
    }
}

void TestAccessibility::focusFollowsTheCurrentCell()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QAccessibleInterface* tree = accessible(&form.boardView());
    const auto focusedCell = [&] {
        QAccessibleInterface* child = tree->focusChild();
        return child ? child->text(QAccessible::Name) : QString();
    };
    QVERIFY(focusedCell().isEmpty());
    QVERIFY(!tree->state().focusable);

    form.newGame();
    QVERIFY(tree->state().focusable);
    QCOMPARE(focusedCell(), QStringLiteral("Row 4, column 4: peg"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QCOMPARE(focusedCell(), QStringLiteral("Row 4, column 3: peg"));
    QAccessibleInterface* cell = accessible(form.boardView().cell(4, 3));
    QVERIFY(cell->state().focused);
    QVERIFY(cell->state().focusable);
    QVERIFY(!accessible(form.boardView().cell(4, 4))->state().focused);

    // Selecting renames the focused cell; a step off the board leaves the focus where it is.
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Space})
        QTest::keyClick(QApplication::focusWidget(), key);
    QCOMPARE(focusedCell(), QStringLiteral("Row 2, column 3: selected peg"));
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up})
        QTest::keyClick(QApplication::focusWidget(), key);
    QCOMPARE(focusedCell(), QStringLiteral("Row 1, column 3: peg"));

    // Paused, no cell is focused or can be.
    form.togglePause();
    QVERIFY(!tree->focusChild());
    QVERIFY(!cell->state().focusable);
    QVERIFY(!accessible(form.boardView().cell(1, 3))->state().focused);
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
    QCOMPARE(cellName(h, 5, 4), QStringLiteral("Row 5, column 4: peg"));

    form.newGame();
    QVERIFY(cell->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    press(h, 5, 4);
    QCOMPARE(cellName(h, 5, 4), QStringLiteral("Row 5, column 4: selected peg"));
    press(h, 3, 4);
    QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 3, column 4: peg"));
    QCOMPARE(form.panel().pegsLeftValue->text(), QStringLiteral("35"));

    // A paused board is hidden and cannot be pressed.
    form.togglePause();
    press(h, 2, 4);
    form.togglePause();
    QCOMPARE(cellName(h, 2, 4), QStringLiteral("Row 2, column 4: peg"));
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
    QCOMPARE(accessible(panel.pegsLeftValue)->text(QAccessible::Name), QStringLiteral("# Pegs Left: 36"));
    QCOMPARE(panel.pegsLeftValue->text(), QStringLiteral("36"));
    QAccessibleInterface* time = accessible(panel.timeValue);
    QCOMPARE(time->text(QAccessible::Name), QStringLiteral("Elapsed Time"));
    h.time.advanceSeconds(65);
    form.onClockTick();
    QCOMPARE(time->text(QAccessible::Name), QStringLiteral("Elapsed Time: 0:1:5"));
    QCOMPARE(panel.timeValue->text(), QStringLiteral("0:1:5"));
    // Each value box is labelled by its caption, and the caption labels the box.
    for (QLabel* value : {panel.pegsLeftValue, panel.timeValue}) {
        const auto labelledBy = accessible(value)->relations(QAccessible::Label);
        QCOMPARE(labelledBy.size(), 1);
        QCOMPARE(labelledBy.first().first->object(), value == panel.timeValue ? panel.timeCaption : panel.pegsLeftCaption);
    }
    QCOMPARE(accessible(panel.boardNameLabel)->text(QAccessible::Name), QStringLiteral("Classic"));
    QCOMPARE(accessible(panel.topPlayerCaption)->text(QAccessible::Name), QStringLiteral("TOP PLAYER"));
    QCOMPARE(accessible(panel.undoButton)->text(QAccessible::Name), QStringLiteral("Undo Move"));
    h.click(5, 4);
    h.click(3, 4);
    QCOMPARE(accessible(panel.pegsLeftValue)->text(QAccessible::Name), QStringLiteral("# Pegs Left: 35"));
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
