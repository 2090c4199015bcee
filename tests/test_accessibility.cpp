// What assistive tools learn from the main window: cell names and their press action, focus, status texts.
#include "ui/board_view.h"
#include "windows/main_window.h"
#include "windows/status_panel.h"
#include "ui/picture_cell.h"
#include "support/main_window_harness.h"

#include "core/board/board_layout.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
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
    void cellNamesFollowThePlay()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        QCOMPARE(accessible(form.boardView().cell(3, 4))->role(), QAccessible::Button);
        // Before the first game every hole shows a peg.
        QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 3, column 4: peg"));

        form.newGame();
        QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 3, column 4: empty hole"));
        h.click(3, 2);
        QCOMPARE(cellName(h, 3, 2), QStringLiteral("Row 3, column 2: selected peg"));
        // A jump renames all three cells.
        h.click(3, 4);
        QCOMPARE(cellName(h, 3, 2), QStringLiteral("Row 3, column 2: empty hole"));
        QCOMPARE(cellName(h, 3, 3), QStringLiteral("Row 3, column 3: empty hole"));
        QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 3, column 4: peg"));

        // End Game shows a peg in every hole again, and the names say so.
        form.endGame();
        QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 3, column 4: peg"));
    }

    void namesCountFromTheBoardsOwnCorner()
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
            h.chooseBoard(corner.board);
            QCOMPARE(cellName(h, corner.row, corner.col), corner.name);
        }
        // Only the holes of the board in play are in the tree, the first one first.
        for (int board = 1; board <= BoardLayout::Count; ++board) {
            h.chooseBoard(board);
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

    void focusFollowsTheCurrentCell()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QAccessibleInterface* tree = accessible(&form.boardView());
        QVERIFY(!tree->focusChild());
        form.newGame();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(tree->focusChild()->text(QAccessible::Name), QStringLiteral("Row 4, column 3: peg"));
        QAccessibleInterface* cell = accessible(form.boardView().cell(4, 3));
        QVERIFY(cell->state().focused && cell->state().focusable);
        QVERIFY(!accessible(form.boardView().cell(4, 4))->state().focused);
        // Paused, no cell is focused or can be.
        form.togglePause();
        QVERIFY(!tree->focusChild());
        QVERIFY(!cell->state().focusable);
    }

    void pressingACellPlaysLikeAClick()
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
        press(h, 3, 4);
        QCOMPARE(cellName(h, 3, 4), QStringLiteral("Row 3, column 4: peg"));

        // A paused board is hidden and cannot be pressed.
        form.togglePause();
        press(h, 2, 4);
        form.togglePause();
        QCOMPARE(cellName(h, 2, 4), QStringLiteral("Row 2, column 4: peg"));
        // Cells off the board are hidden and offer no press either.
        QVERIFY(!accessible(form.boardView().cell(0, 0))->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }

    void statusTextsAreExposed()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        const StatusPanel& panel = form.panel();
        form.newGame();
        QAccessibleInterface* time = accessible(panel.timeValue);
        QCOMPARE(time->text(QAccessible::Name), QStringLiteral("Elapsed Time"));
        h.time.advanceSeconds(65);
        form.onClockTick();
        QCOMPARE(time->text(QAccessible::Name), QStringLiteral("Elapsed Time: 0:1:5"));
        h.click(5, 4);
        h.click(3, 4);
        QCOMPARE(accessible(panel.pegsLeftValue)->text(QAccessible::Name), QStringLiteral("# Pegs Left: 35"));
        // Each value box is labelled by its caption.
        for (QLabel* value : {panel.pegsLeftValue, panel.timeValue}) {
            const auto labelledBy = accessible(value)->relations(QAccessible::Label);
            QCOMPARE(labelledBy.size(), 1);
            QCOMPARE(labelledBy.first().first->object(), value == panel.timeValue ? panel.timeCaption : panel.pegsLeftCaption);
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
