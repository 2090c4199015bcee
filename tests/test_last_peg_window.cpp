#include "windows/last_peg_window.h"

#include "core/board/board_layout.h"

#include <QFrame>
#include <QPointer>
#include <QSet>
#include <QTest>

namespace {

using Cells = QSet<std::pair<int, int>>;

// Rows firstRow..lastRow, each with columns firstCol..lastCol.
Cells block(int firstRow, int lastRow, int firstCol, int lastCol, Cells cells = {})
{
    for (int row = firstRow; row <= lastRow; ++row)
        for (int col = firstCol; col <= lastCol; ++col)
            cells.insert({row, col});
    return cells;
}

QRgb backColour(const QFrame* cell)
{
    return cell->palette().color(QPalette::Window).rgb();
}

} // namespace

class TestLastPegWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void drawsTheBoardInPlay_data()
    {
        QTest::addColumn<int>("board");
        QTest::addColumn<Cells>("shown");
        const Cells classic = block(1, 1, 3, 5, block(2, 2, 2, 6, block(3, 5, 1, 7, block(6, 6, 2, 6, block(7, 7, 3, 5)))));
        QTest::newRow("Classic") << 1 << classic;
        QTest::newRow("European 1") << 2 << block(1, 2, 3, 5, block(3, 5, 1, 7, block(6, 7, 3, 5)));
        QTest::newRow("European 2") << 3 << block(0, 2, 3, 5, block(3, 5, 0, 8, block(6, 8, 3, 5)));
        QTest::newRow("Square 7x7") << 4 << block(1, 7, 1, 7);
        QTest::newRow("Square 6x6") << 5 << block(1, 6, 2, 7);
    }

    // Which holes are red is the board's to say; the window must paint exactly those.
    void drawsTheBoardInPlay()
    {
        QFETCH(int, board);
        QFETCH(Cells, shown);
        const BoardLayout& layout = BoardLayout::forBoard(board);
        LastPegWindow view(board);
        int red = 0;
        for (int row = 0; row < 9; ++row) {
            for (int col = 0; col < 9; ++col) {
                const QByteArray where = QByteArray::number(row) + "," + QByteArray::number(col);
                QVERIFY2(view.cell(row, col)->isHidden() != shown.contains({row, col}), where);
                // Hidden cells are coloured too.
                const QRgb colour = backColour(view.cell(row, col));
                QVERIFY2(colour == (layout.isLastPegHole(row, col) ? LastPegWindow::LastPegColour : LastPegWindow::HoleColour), where);
                red += colour == LastPegWindow::LastPegColour ? 1 : 0;
            }
        }
        QCOMPARE(red, static_cast<int>(layout.lastPegHoles.size()));
    }

    void withNoBoardCheckedNothingIsDrawn()
    {
        LastPegWindow view(0);
        for (int row = 0; row < 9; ++row)
            for (int col = 0; col < 9; ++col)
                QVERIFY(!view.cell(row, col)->isHidden() && backColour(view.cell(row, col)) != LastPegWindow::LastPegColour);
    }

    void windowAndCellGeometry()
    {
        LastPegWindow view(1);
        QCOMPARE(view.windowTitle(), QStringLiteral("Last Peg"));
        QVERIFY(!view.windowIcon().isNull());
        QVERIFY(!(view.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(view.size(), QSize(220, 219));
        QCOMPARE(view.minimumSize(), view.maximumSize());
        QCOMPARE(view.boardFrame->geometry(), QRect(0, 0, 221, 221));
        for (int row = 0; row < 9; ++row) {
            for (int col = 0; col < 9; ++col) {
                const QFrame* cell = view.cell(row, col);
                QCOMPARE(cell->objectName(), QStringLiteral("Picture%1_%2").arg(row + 1).arg(col));
                QCOMPARE(cell->parentWidget(), view.boardFrame);
                // 24-pixel steps, 25-pixel cells: neighbours overlap by one pixel.
                QCOMPARE(cell->geometry(), QRect(24 * col, 24 * row, 25, 25));
            }
        }
    }

    void rendersHolesRedCellsAndBlackOutside()
    {
        LastPegWindow view(3);
        const QImage image = view.grab().toImage();
        const auto centre = [&](int row, int col) { return image.pixel(24 * col + 12, 24 * row + 12); };
        QCOMPARE(centre(0, 4), LastPegWindow::LastPegColour);
        QCOMPARE(centre(3, 0), LastPegWindow::HoleColour);
        QCOMPARE(centre(0, 0), qRgb(0, 0, 0));
        // The grid line where two holes overlap, and the black below and right of the last cells.
        QCOMPARE(image.pixel(24, 24 * 3 + 12), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(218, 100), qRgb(0, 0, 0));
    }

    void closingDestroysTheWindow()
    {
        QPointer<LastPegWindow> view = new LastPegWindow(2);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        view->close();
        QTRY_VERIFY(view.isNull());
    }
};

QTEST_MAIN(TestLastPegWindow)
#include "test_last_peg_window.moc"
