// The red holes of the last-peg view: where a lone last peg can stand, and games that finish there.
#include "core/board/board_layout.h"
#include "game_scripts.h"
#include "core/rules/game.h"

#include <QSet>
#include <QTest>

namespace {

using Hole = std::pair<int, int>;
using Holes = QSet<Hole>;
// Per colouring, the parity of the number of pegs on each of its three colours.
using Parities = std::array<std::array<int, 3>, 2>;

// "Square 6x6": 32 jumps from the start hole that leave three pegs, at (3, 5), (3, 6) and (2, 7).
const std::vector<Jump> squareSixThreeLeft{
    {2, 4, 4, 4}, {2, 2, 2, 4}, {1, 4, 3, 4}, {1, 2, 1, 4}, {1, 5, 1, 3}, {1, 7, 1, 5}, {2, 6, 2, 4}, {3, 4, 1, 4},
    {1, 4, 1, 6}, {3, 2, 3, 4}, {3, 5, 3, 3}, {3, 7, 3, 5}, {4, 3, 2, 3}, {1, 3, 3, 3}, {4, 5, 4, 3}, {4, 2, 4, 4},
    {4, 7, 4, 5}, {4, 4, 4, 6}, {5, 6, 3, 6}, {5, 4, 5, 6}, {5, 7, 5, 5}, {6, 2, 4, 2}, {6, 3, 4, 3}, {3, 3, 5, 3},
    {6, 5, 6, 3}, {6, 3, 4, 3}, {4, 2, 4, 4}, {6, 7, 6, 5}, {6, 5, 4, 5}, {4, 4, 4, 6}, {4, 6, 2, 6}, {1, 6, 3, 6}};

// "Square 6x6" solved back to its start hole (4, 4).
const std::vector<Jump> squareSixToStart{
    {2, 4, 4, 4}, {2, 2, 2, 4}, {1, 4, 3, 4}, {1, 2, 1, 4}, {1, 5, 1, 3}, {1, 7, 1, 5}, {2, 6, 2, 4}, {3, 4, 1, 4},
    {1, 4, 1, 6}, {3, 2, 3, 4}, {3, 5, 3, 3}, {3, 7, 3, 5}, {4, 3, 2, 3}, {1, 3, 3, 3}, {4, 5, 4, 3}, {4, 2, 4, 4},
    {4, 7, 4, 5}, {4, 5, 2, 5}, {5, 4, 3, 4}, {3, 3, 3, 5}, {3, 5, 1, 5}, {1, 5, 1, 7}, {1, 7, 3, 7}, {5, 2, 5, 4},
    {6, 5, 4, 5}, {6, 3, 6, 5}, {6, 6, 6, 4}, {6, 7, 4, 7}, {3, 7, 5, 7}, {5, 7, 5, 5}, {4, 5, 6, 5}, {6, 5, 6, 3},
    {6, 2, 6, 4}, {6, 4, 4, 4}};

// "European 1" solved back to the centre.
const std::vector<Jump> europeanOneToCentre{
    {2, 4, 4, 4}, {3, 2, 3, 4}, {1, 3, 3, 3}, {1, 5, 1, 3}, {3, 4, 3, 2}, {3, 1, 3, 3}, {3, 5, 1, 5}, {3, 7, 3, 5},
    {4, 3, 2, 3}, {1, 3, 3, 3}, {4, 1, 4, 3}, {4, 3, 2, 3}, {4, 5, 4, 3}, {4, 7, 4, 5}, {4, 5, 2, 5}, {1, 5, 3, 5},
    {5, 3, 3, 3}, {2, 3, 4, 3}, {5, 1, 5, 3}, {5, 4, 5, 2}, {6, 5, 4, 5}, {5, 7, 5, 5}, {7, 3, 5, 3}, {4, 3, 6, 3},
    {7, 5, 7, 3}, {7, 3, 5, 3}, {5, 2, 5, 4}, {5, 4, 5, 6}, {3, 5, 5, 5}, {5, 6, 5, 4}, {6, 4, 4, 4}};

std::vector<Jump> followedBy(std::vector<Jump> jumps, std::initializer_list<Jump> more)
{
    jumps.insert(jumps.end(), more);
    return jumps;
}

// The two diagonal colourings: the three holes of any jump, in a row or a column, have three different colours in each.
std::array<int, 2> colours(int row, int col)
{
    return {(row + col) % 3, (row - col + 9) % 3};
}

Parities parities(const Holes& pegs)
{
    Parities result{};
    for (const Hole& peg : pegs) {
        const std::array<int, 2> colour = colours(peg.first, peg.second);
        for (std::size_t k = 0; k < 2; ++k)
            result[k][static_cast<std::size_t>(colour[k])] ^= 1;
    }
    return result;
}

bool sameOrFlipped(const std::array<int, 3>& a, const std::array<int, 3>& b)
{
    return a == b || (a[0] != b[0] && a[1] != b[1] && a[2] != b[2]);
}

// A jump toggles one hole of each colour, so it flips all three parities of a colouring at once: a lone peg can
// only stand on a hole whose parities match the start position's, or all three flipped, in both colourings.
Holes possibleLastPegHoles(const BoardLayout& layout)
{
    Holes holes;
    for (int row = 0; row < Board::Size; ++row)
        for (int col = 0; col < Board::Size; ++col)
            if (layout.isHole(row, col))
                holes.insert({row, col});
    Holes startPegs = holes;
    startPegs.remove({layout.startRow, layout.startCol});
    const Parities start = parities(startPegs);
    Holes possible;
    for (const Hole& hole : holes) {
        const Parities alone = parities({hole});
        if (sameOrFlipped(alone[0], start[0]) && sameOrFlipped(alone[1], start[1]))
            possible.insert(hole);
    }
    return possible;
}

Holes pegsOnBoard(const Game& game)
{
    Holes pegs;
    for (int row = 0; row < Board::Size; ++row)
        for (int col = 0; col < Board::Size; ++col)
            if (game.board()(row, col).Visible && game.board()(row, col).Pegged)
                pegs.insert({row, col});
    return pegs;
}

} // namespace

class TestLastPegHoles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void redHolesAreWhereALonePegCanStand_data()
    {
        QTest::addColumn<int>("board");
        for (int board = 1; board <= BoardLayout::Count; ++board)
            QTest::newRow(qPrintable(BoardLayout::forBoard(board).name)) << board;
    }

    void redHolesAreWhereALonePegCanStand()
    {
        QFETCH(int, board);
        const BoardLayout& layout = BoardLayout::forBoard(board);
        const Holes red(layout.lastPegHoles.begin(), layout.lastPegHoles.end());
        QCOMPARE(red.size(), static_cast<qsizetype>(layout.lastPegHoles.size()));
        QCOMPARE(red, possibleLastPegHoles(layout));
    }

    void solutionsEndOnARedHole_data()
    {
        QTest::addColumn<int>("board");
        QTest::addColumn<std::vector<Jump>>("jumps");
        QTest::addColumn<Hole>("last");
        QTest::newRow("European 1 at (4, 4)") << 2 << europeanOneToCentre << Hole{4, 4};
        QTest::newRow("European 1 at (7, 4)") << 2 << GameScripts::europeanOneSolved << Hole{7, 4};
        QTest::newRow("Square 6x6 at (1, 4)") << 5 << GameScripts::squareSixSolved << Hole{1, 4};
        QTest::newRow("Square 6x6 at (1, 7)") << 5 << followedBy(squareSixThreeLeft, {{3, 5, 3, 7}, {3, 7, 1, 7}})
                                              << Hole{1, 7};
        QTest::newRow("Square 6x6 at (4, 4)") << 5 << squareSixToStart << Hole{4, 4};
        QTest::newRow("Square 6x6 at (4, 7)") << 5 << followedBy(squareSixThreeLeft, {{3, 5, 3, 7}, {2, 7, 4, 7}})
                                              << Hole{4, 7};
    }

    void solutionsEndOnARedHole()
    {
        QFETCH(int, board);
        QFETCH(std::vector<Jump>, jumps);
        QFETCH(Hole, last);
        Game game = GameScripts::newGame(board);
        for (const Jump& j : jumps) {
            QVERIFY(!game.noMovesLeft());
            QCOMPARE(game.clickCell(j[0], j[1]), ClickOutcome::Selected);
            QCOMPARE(game.clickCell(j[2], j[3]), ClickOutcome::Jumped);
        }
        QCOMPARE(game.pegsLeft(), 1);
        QCOMPARE(pegsOnBoard(game), Holes{last});
        QVERIFY(game.noMovesLeft());
        QVERIFY(BoardLayout::forBoard(board).isLastPegHole(last.first, last.second));
    }
};

QTEST_MAIN(TestLastPegHoles)
#include "test_last_peg_holes.moc"
