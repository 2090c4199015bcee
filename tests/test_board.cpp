// The grid model, the five board shapes and the display-size check (the settings file itself: test_hostile_files).
#include "core/board/board.h"
#include "core/board/board_layout.h"
#include "core/board/display_size_check.h"
#include "core/settings/settings_keys.h"
#include "support/map_settings_store.h"

#include <QTest>

class TestBoard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutsHaveTheirHoleCountsAndStartHoles_data()
    {
        QTest::addColumn<int>("board");
        QTest::addColumn<int>("holes");
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("startCol");
        QTest::newRow("classic") << 1 << 37 << 3 << 4;
        QTest::newRow("european 1") << 2 << 33 << 4 << 4;
        QTest::newRow("european 2") << 3 << 45 << 3 << 4;
        QTest::newRow("square 7x7") << 4 << 49 << 3 << 4;
        QTest::newRow("square 6x6") << 5 << 36 << 4 << 4;
    }

    void layoutsHaveTheirHoleCountsAndStartHoles()
    {
        QFETCH(int, board);
        QFETCH(int, holes);
        QFETCH(int, startRow);
        QFETCH(int, startCol);
        const BoardLayout& layout = BoardLayout::forBoard(board);
        QCOMPARE(layout.holeCount(), holes);
        QCOMPARE(layout.PegsAtStart, holes - 1);
        QVERIFY(layout.startRow == startRow && layout.startCol == startCol && layout.isHole(startRow, startCol));
        // Holes of every row and column are contiguous, so the cell between two holes is a hole.
        for (int r = 0; r < Board::Size; ++r)
            for (int c = 0; c + 2 < Board::Size; ++c) {
                if (layout.isHole(r, c) && layout.isHole(r, c + 2))
                    QVERIFY(layout.isHole(r, c + 1));
                if (layout.isHole(c, r) && layout.isHole(c + 2, r))
                    QVERIFY(layout.isHole(c + 1, r));
            }
    }

    void choosingABoardChangesOnlyVisibility()
    {
        Board board;
        board.setPegged(4, 4, false);
        board.show(4, 4, CellPicture::Hole);
        board.showAllCells();
        board.hideOutside(BoardLayout::forBoard(2));
        int visible = 0;
        for (int r = 0; r < Board::Size; ++r)
            for (int c = 0; c < Board::Size; ++c)
                visible += board(r, c).Visible ? 1 : 0;
        QCOMPARE(visible, 33);
        QVERIFY(!board(4, 4).Pegged && board(4, 4).Picture == CellPicture::Hole);
        QVERIFY(board(0, 0).Pegged && !board(0, 0).Visible);
    }

    void fillBoardRepaintsButKeepsFields()
    {
        Board board;
        board.setPegged(2, 3, false);
        board.show(2, 3, CellPicture::Hole);
        board.setMarked(3, 3, true);
        board.show(3, 3, CellPicture::Marked);
        board.fillBoard();
        QVERIFY(board(2, 3).Picture == CellPicture::Peg && board(3, 3).Picture == CellPicture::Peg);
        QVERIFY(!board(2, 3).Pegged && board(3, 3).Marked);
        board.setUpPieces();
        QVERIFY(board(2, 3).Pegged && !board(3, 3).Marked);
    }

    void changedCellsAreReportedOnce()
    {
        Board board;
        QVERIFY(board.takeChanged().none());
        board.show(1, 2, CellPicture::Hole);
        board.setVisible(8, 8, false);
        board.show(5, 5, CellPicture::Peg); // already a peg: no change
        const auto changed = board.takeChanged();
        QVERIFY(changed.count() == 2 && changed.test(1 * 9 + 2) && changed.test(8 * 9 + 8));
        QVERIFY(board.takeChanged().none());
    }

    void displaySizeCheck_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("smallPieces");
        QTest::newRow("absent") << QString() << true;
        QTest::newRow("120") << "120" << false;
        QTest::newRow("120 with blanks") << " 120 " << false;
        QTest::newRow("144") << "144" << true;
        QTest::newRow("fraction") << "120.5" << true;
        QTest::newRow("huge") << "99999999999999999999" << true;
    }

    void displaySizeCheck()
    {
        QFETCH(QString, setting);
        QFETCH(bool, smallPieces);
        MapSettingsStore settings;
        if (!setting.isNull())
            settings.values.insert(SettingsKeys::DpiLogicalx, setting);
        QCOMPARE(DisplaySizeCheck::checkDisplaySize(settings), smallPieces);
    }
};

QTEST_GUILESS_MAIN(TestBoard)
#include "test_board.moc"
