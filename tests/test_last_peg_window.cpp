#include "windows/last_peg_window.h"

#include "core/board/board_layout.h"

#include <QFrame>
#include <QPointer>
#include <QTest>

namespace {

QRgb backColour(const QFrame* cell)
{
    return cell->palette().color(QPalette::Window).rgb();
}

} // namespace

class TestLastPegWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The board says which cells are holes and which holes are red; the window must show exactly those.
    void drawsTheBoardInPlay()
    {
        for (int board = 1; board <= BoardLayout::Count; ++board) {
            const BoardLayout& layout = BoardLayout::forBoard(board);
            LastPegWindow view(board);
            int red = 0;
            for (int row = 0; row < 9; ++row) {
                for (int col = 0; col < 9; ++col) {
                    const QByteArray where = layout.name.toLatin1() + QByteArray::number(row * 10 + col);
                    QVERIFY2(view.cell(row, col)->isHidden() != layout.isHole(row, col), where);
                    // Hidden cells are coloured too.
                    const QRgb colour = backColour(view.cell(row, col));
                    const bool lastPeg = layout.isLastPegHole(row, col);
                    QVERIFY2(colour == (lastPeg ? LastPegWindow::LastPegColour : LastPegWindow::HoleColour), where);
                    red += lastPeg && layout.isHole(row, col) ? 1 : 0;
                }
            }
            QCOMPARE(red, static_cast<int>(layout.lastPegHoles.size()));
        }
    }

    void withNoBoardCheckedNothingIsDrawn()
    {
        LastPegWindow view(0);
        for (int row = 0; row < 9; ++row)
            for (int col = 0; col < 9; ++col)
                QVERIFY(!view.cell(row, col)->isHidden() && backColour(view.cell(row, col)) != LastPegWindow::LastPegColour);
    }

    void rendersHolesRedCellsAndBlackOutside()
    {
        LastPegWindow view(3);
        const QImage image = view.grab().toImage();
        const auto centre = [&](int row, int col) { return image.pixel(24 * col + 12, 24 * row + 12); };
        QCOMPARE(centre(0, 4), LastPegWindow::LastPegColour);
        QCOMPARE(centre(3, 0), LastPegWindow::HoleColour);
        QCOMPARE(centre(0, 0), qRgb(0, 0, 0));
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
