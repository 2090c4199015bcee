// The five board shapes and the display-size check (the settings file itself: test_hostile_files).
#include "core/board/board.h"
#include "core/board/board_layout.h"
#include "core/board/display_size_check.h"
#include "core/settings/settings_keys.h"
#include "support/map_settings_store.h"

#include <QTest>

class TestBoard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutsHaveTheirHoleCountsAndStartHoles()
    {
        // Board, holes, start hole.
        const std::array<std::array<int, 4>, 5> boards{{{1, 37, 3, 4}, {2, 33, 4, 4}, {3, 45, 3, 4}, {4, 49, 3, 4}, {5, 36, 4, 4}}};
        for (const auto& [board, holes, startRow, startCol] : boards) {
            const BoardLayout& layout = BoardLayout::forBoard(board);
            QCOMPARE(layout.holeCount(), holes);
            QCOMPARE(layout.pegsAtStart, holes - 1);
            QVERIFY(layout.startRow == startRow && layout.startCol == startCol && layout.isHole(startRow, startCol));
            // Holes of every row and column are contiguous, so the cell between two holes is a hole.
            for (int r = 0; r < Board::Size; ++r)
                for (int c = 0; c + 2 < Board::Size; ++c) {
                    QVERIFY(!layout.isHole(r, c) || !layout.isHole(r, c + 2) || layout.isHole(r, c + 1));
                    QVERIFY(!layout.isHole(c, r) || !layout.isHole(c + 2, r) || layout.isHole(c + 1, r));
                }
        }
    }

    void displaySizeCheck()
    {
        // The setting, and whether it asks for the small pieces.
        const std::vector<std::pair<QString, bool>> cases{{QString(), true}, {"120", false}, {" 120 ", false},
                                                          {"144", true}, {"120.5", true}, {"99999999999999999999", true}};
        for (const auto& [setting, smallPieces] : cases) {
            MapSettingsStore settings;
            if (!setting.isNull())
                settings.values.insert(SettingsKeys::DpiLogicalx, setting);
            QVERIFY2(DisplaySizeCheck::checkDisplaySize(settings) == smallPieces, qPrintable(setting));
        }
    }
};

QTEST_GUILESS_MAIN(TestBoard)
#include "test_board.moc"
