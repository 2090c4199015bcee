// Moves, the legal-move search and undo on the board model, without windows.
#include "core/board/board_layout.h"
#include "game_scripts.h"
#include "core/rules/game.h"
#include "core/rules/legal_move_search.h"

#include <QPoint>
#include <QTest>

namespace {

int pegCount(const Game& game)
{
    int pegs = 0;
    for (int r = 0; r < Board::Size; ++r)
        for (int c = 0; c < Board::Size; ++c)
            pegs += game.board()(r, c).visible && game.board()(r, c).pegged ? 1 : 0;
    return pegs;
}

void jump(Game& game, const Jump& j)
{
    QCOMPARE(game.clickCell(j[0], j[1]), ClickOutcome::Selected);
    QCOMPARE(game.clickCell(j[2], j[3]), ClickOutcome::Jumped);
}

// The cells as text: peg, mark, visibility and picture of each.
QString cells(const Game& g)
{
    QString text;
    for (int r = 0; r < Board::Size; ++r)
        for (int c = 0; c < Board::Size; ++c) {
            const BoardCell& cell = g.board()(r, c);
            text += QStringLiteral("%1%2%3%4 ").arg(cell.pegged).arg(cell.marked).arg(cell.visible).arg(int(cell.picture));
        }
    return text;
}

// Everything a refused click must leave alone.
QString state(const Game& g)
{
    return QStringLiteral("%1 %2,%3 %4 %5,%6-%7,%8 ").arg(g.pegSelected()).arg(g.selRow()).arg(g.selCol()).arg(g.pegsLeft())
               .arg(g.lastFromRow()).arg(g.lastFromCol()).arg(g.lastToRow()).arg(g.lastToCol()) + cells(g);
}

} // namespace

class TestGameRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wholeGames()
    {
        // The board, the jumps, and the pegs left at the end.
        for (const auto& [board, jumps, pegsLeft] : {std::tuple{2, GameScripts::europeanOneSolved, 1},
                                                     {5, GameScripts::squareSixSolved, 1}, {2, GameScripts::europeanOneStuck, 8}}) {
            Game game = GameScripts::newGame(board);
            const BoardLayout& layout = BoardLayout::forBoard(board);
            QCOMPARE(pegCount(game), layout.pegsAtStart);
            QVERIFY(!game.board()(layout.startRow, layout.startCol).pegged);
            for (const Jump& j : jumps) {
                QVERIFY(!game.noMovesLeft());
                jump(game, j);
                QCOMPARE(pegCount(game), game.pegsLeft());
            }
            QVERIFY(game.noMovesLeft());
            QCOMPARE(game.pegsLeft(), pegsLeft);
            // A lone last peg stands on one of the holes the last-peg view marks.
            if (pegsLeft == 1)
                QVERIFY(layout.isLastPegHole(jumps.back()[2], jumps.back()[3]));
        }
    }

    void refusedClicksChangeNothing()
    {
        // Classic after one jump (5,4)->(3,4), (4,4) and (5,4) empty: the peg selected first (none: -1),
        // then the refused click. Another peg; a hole with no selection; one, three cells away; two away
        // diagonally; over the empty middle; outside the board.
        const std::array<std::array<int, 4>, 7> cases{
            {{3, 2, 3, 3}, {-1, -1, 4, 4}, {4, 3, 4, 4}, {4, 1, 4, 4}, {3, 2, 5, 4}, {3, 4, 5, 4}, {3, 1, 1, 1}}};
        for (const auto& [selRow, selCol, row, col] : cases) {
            Game game = GameScripts::newGame(1);
            jump(game, {5, 4, 3, 4});
            if (selRow >= 0)
                QCOMPARE(game.clickCell(selRow, selCol), ClickOutcome::Selected);
            QVERIFY(game.board().takeChanged().any());
            const QString before = state(game);
            QCOMPARE(game.clickCell(row, col), ClickOutcome::Refused);
            QCOMPARE(state(game), before);
            QVERIFY(game.board().takeChanged().none());
        }
    }

    void undoTakesBackOnlyTheLastJump()
    {
        Game game = GameScripts::newGame(1);
        jump(game, {5, 4, 3, 4});
        const QString afterFirst = cells(game);
        jump(game, {4, 2, 4, 4});
        game.undo();
        QCOMPARE(cells(game), afterFirst);
        QCOMPARE(game.pegsLeft(), 35);
        QVERIFY(!game.undo());
        // The jump taken back may be made, and taken back, again.
        jump(game, {4, 2, 4, 4});
        QVERIFY(game.undo());
        QCOMPARE(cells(game), afterFirst);
    }

    void undoDropsOnlyASelectionOnTheLandedPeg()
    {
        Game game = GameScripts::newGame(1);
        jump(game, {5, 4, 3, 4});
        QCOMPARE(game.clickCell(3, 2), ClickOutcome::Selected);
        game.undo();
        // A selection elsewhere survives.
        QVERIFY(game.pegSelected() && game.board()(3, 2).marked);
        QCOMPARE(game.clickCell(3, 2), ClickOutcome::Deselected);
        jump(game, {5, 4, 3, 4});
        QCOMPARE(game.clickCell(3, 4), ClickOutcome::Selected);
        game.undo();
        QVERIFY(!game.pegSelected() && !game.board()(3, 4).marked);
        QCOMPARE(game.board()(3, 4).picture, CellPicture::Hole);
        // Nothing stale is left: the peg that jumped can jump again.
        jump(game, {5, 4, 3, 4});
    }

    void legalMoveSearch()
    {
        // On European 2, the pegs (row, column) and whether the first can jump. The board reaches the edge
        // of the grid: a jump over the edge peg would land outside it.
        const std::vector<std::tuple<int, QList<QPoint>, bool>> cases{
            {3, {{4, 1}, {4, 0}}, false}, {3, {{4, 0}, {4, 1}}, true}, {3, {{4, 0}, {4, 1}, {4, 2}}, false},
            {3, {{4, 1}, {4, 0}, {4, 2}}, true}, {3, {{1, 4}, {0, 4}}, false},
            // A hidden neighbour keeps Pegged true but is no peg to jump over, nor a place to land.
            {3, {{1, 3}}, false}, {4, {{3, 3}, {4, 4}}, false}}; // diagonal, on Square 7x7
        for (const auto& [board, pegs, firstCanJump] : cases) {
            Board grid;
            grid.hideOutside(BoardLayout::forBoard(board));
            for (int r = 0; r < Board::Size; ++r)
                for (int c = 0; c < Board::Size; ++c)
                    grid.setPegged(r, c, !grid(r, c).visible || pegs.contains(QPoint(r, c)));
            QCOMPARE(LegalMoveSearch::pegCanJump(grid, pegs[0].x(), pegs[0].y()), firstCanJump);
            bool anyCanJump = false;
            for (const QPoint& peg : pegs)
                anyCanJump = anyCanJump || LegalMoveSearch::pegCanJump(grid, peg.x(), peg.y());
            QCOMPARE(LegalMoveSearch::noMovesLeft(grid), !anyCanJump);
        }
    }
};

QTEST_GUILESS_MAIN(TestGameRules)
#include "test_game_rules.moc"
