// The red holes of the last-peg view: where a lone last peg can stand.
#include "core/board/board.h"
#include "core/board/board_layout.h"

#include <QSet>
#include <QTest>

namespace {

using Hole = std::pair<int, int>;
using Holes = QSet<Hole>;
// Per colouring, the parity of the number of pegs on each of its three colours.
using Parities = std::array<std::array<int, 3>, 2>;

// The two diagonal colourings: the three holes of any jump, in a row or a column, have three different colours in each.
std::array<int, 2> colours(int row, int col)
{
    return {(row + col) % 3, (row - col + 9) % 3};
}

Parities parities(const Holes& pegs)
{
    Parities result{};
    for (const Hole& peg : pegs)
        for (std::size_t k = 0; k < 2; ++k)
            result[k][static_cast<std::size_t>(colours(peg.first, peg.second)[k])] ^= 1;
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
        QCOMPARE(red, possibleLastPegHoles(layout));
    }
};

QTEST_GUILESS_MAIN(TestLastPegHoles)
#include "test_last_peg_holes.moc"
