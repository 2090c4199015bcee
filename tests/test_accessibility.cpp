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
    void namesCountFromTheBoardsOwnCorner()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        // The far corner of the boards whose grid is offset, and how it is heard.
        h.chooseBoard(3);
        QCOMPARE(cellName(h, 8, 5), QStringLiteral("Row 9, column 6: peg"));
        h.chooseBoard(5);
        QCOMPARE(cellName(h, 6, 7), QStringLiteral("Row 6, column 6: peg"));
        // Only the holes of the board in play are in the tree, the first one first.
        for (int board = 1; board <= BoardLayout::Count; ++board) {
            h.chooseBoard(board);
            QAccessibleInterface* tree = accessible(&form.boardView());
            QCOMPARE(tree->childCount(), BoardLayout::forBoard(board).holeCount());
            QVERIFY(tree->child(0)->text(QAccessible::Name).startsWith(QStringLiteral("Row 1, column ")));
            for (int i = 0; i < tree->childCount(); ++i)
                QVERIFY(!tree->child(i)->state().invisible && tree->indexOfChild(tree->child(i)) == i);
            QCOMPARE(tree->indexOfChild(accessible(form.boardView().cell(0, 3))), board == 3 ? 0 : -1);
        }
    }

    void focusAndPressFollowTheBoard()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QAccessibleInterface* tree = accessible(&form.boardView());
        QAccessibleInterface* cell = accessible(form.boardView().cell(5, 4));
        const auto pressable = [](QAccessibleInterface* iface) {
            return iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction());
        };
        // Between games the board refuses presses as it refuses clicks.
        QVERIFY(!tree->focusChild() && !pressable(cell));
        press(h, 5, 4);
        QCOMPARE(cellName(h, 5, 4), QStringLiteral("Row 5, column 4: peg"));

        form.newGame();
        QVERIFY(pressable(cell) && !pressable(accessible(form.boardView().cell(0, 0))));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(tree->focusChild()->text(QAccessible::Name), QStringLiteral("Row 5, column 4: peg"));
        QVERIFY(cell->state().focused && cell->state().focusable && cell->role() == QAccessible::Button);
        QVERIFY(!accessible(form.boardView().cell(4, 4))->state().focused);
        // A press is a click: it selects, and a jump renames all three cells.
        press(h, 5, 4);
        QCOMPARE(cellName(h, 5, 4), QStringLiteral("Row 5, column 4: selected peg"));
        press(h, 3, 4);
        QCOMPARE((QStringList{cellName(h, 3, 4), cellName(h, 4, 4), cellName(h, 5, 4)}),
                 (QStringList{"Row 3, column 4: peg", "Row 4, column 4: empty hole", "Row 5, column 4: empty hole"}));

        // Paused, no cell is focused or can be, and a press does nothing.
        form.togglePause();
        QVERIFY(!tree->focusChild() && !cell->state().focusable);
        press(h, 2, 4);
        form.togglePause();
        QCOMPARE(cellName(h, 2, 4), QStringLiteral("Row 2, column 4: peg"));
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
        h.play({{5, 4, 3, 4}});
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
