// Moves, the legal-move search and undo on the board model, without windows.
#include "core/board/board_layout.h"
#include "game_scripts.h"
#include "core/rules/game.h"
#include "core/rules/legal_move_search.h"

#include <QTest>

namespace {

int pegCount(const Game& game)
{
    int pegs = 0;
    for (int r = 0; r < Board::Size; ++r)
        for (int c = 0; c < Board::Size; ++c)
            pegs += game.board()(r, c).Visible && game.board()(r, c).Pegged ? 1 : 0;
    return pegs;
}

void jump(Game& game, const Jump& j)
{
    QCOMPARE(game.clickCell(j[0], j[1]), ClickOutcome::Selected);
    QCOMPARE(game.clickCell(j[2], j[3]), ClickOutcome::Jumped);
}

// Everything a refused click must leave alone.
struct Snapshot {
    explicit Snapshot(const Game& g)
        : selected(g.pegSelected()), row(g.selRow()), col(g.selCol()), pegs(g.pegsLeft()),
          last{g.lastFromRow(), g.lastFromCol(), g.lastToRow(), g.lastToCol()}
    {
        for (int r = 0; r < Board::Size; ++r)
            for (int c = 0; c < Board::Size; ++c) {
                const BoardCell& cell = g.board()(r, c);
                cells[static_cast<std::size_t>(r * 9 + c)] = {cell.Pegged, cell.Marked, cell.Visible, static_cast<int>(cell.Picture)};
            }
    }
    bool operator==(const Snapshot&) const = default;

    bool selected;
    int row;
    int col;
    int pegs;
    std::array<int, 4> last;
    std::array<std::array<int, 4>, 81> cells{};
};

} // namespace

Q_DECLARE_METATYPE(std::vector<Jump>)

class TestGameRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newGameEmptiesOnlyTheStartHole()
    {
        for (int board = 1; board <= BoardLayout::Count; ++board) {
            const Game game = GameScripts::newGame(board);
            const BoardLayout& layout = BoardLayout::forBoard(board);
            QCOMPARE(game.pegsLeft(), layout.PegsAtStart);
            QCOMPARE(pegCount(game), layout.PegsAtStart);
            QVERIFY(!game.board()(layout.startRow, layout.startCol).Pegged);
            QCOMPARE(game.board()(layout.startRow, layout.startCol).Picture, CellPicture::Hole);
            QVERIFY(!game.noMovesLeft());
        }
    }

    void wholeGames_data()
    {
        QTest::addColumn<int>("board");
        QTest::addColumn<std::vector<Jump>>("jumps");
        QTest::addColumn<int>("pegsLeft");
        QTest::newRow("European 1 solved") << 2 << GameScripts::europeanOneSolved << 1;
        QTest::newRow("Square 6x6 solved") << 5 << GameScripts::squareSixSolved << 1;
        QTest::newRow("European 1 stuck") << 2 << GameScripts::europeanOneStuck << 8;
    }
    void wholeGames()
    {
        QFETCH(int, board);
        QFETCH(std::vector<Jump>, jumps);
        QFETCH(int, pegsLeft);
        Game game = GameScripts::newGame(board);
        for (const Jump& j : jumps) {
            QVERIFY(!game.noMovesLeft());
            jump(game, j);
            QCOMPARE(pegCount(game), game.pegsLeft());
        }
        QVERIFY(game.noMovesLeft());
        QCOMPARE(game.pegsLeft(), pegsLeft);
        // A lone last peg stands on one of the holes the last-peg view marks.
        if (pegsLeft == 1)
            QVERIFY(BoardLayout::forBoard(board).isLastPegHole(jumps.back()[2], jumps.back()[3]));
    }

    void selectAndDeselect()
    {
        Game game = GameScripts::newGame(1);
        QCOMPARE(game.clickCell(5, 4), ClickOutcome::Selected);
        QCOMPARE((std::array{game.selRow(), game.selCol()}), (std::array{5, 4}));
        QVERIFY(game.pegSelected() && game.board()(5, 4).Marked);
        QCOMPARE(game.board()(5, 4).Picture, CellPicture::Marked);
        QCOMPARE(game.clickCell(5, 4), ClickOutcome::Deselected);
        QVERIFY(Snapshot(game) == Snapshot(GameScripts::newGame(1)));
    }

    void refusedClicksChangeNothing_data()
    {
        // Classic after one jump (5,4)->(3,4): (4,4) and (5,4) are empty holes.
        QTest::addColumn<int>("selRow");
        QTest::addColumn<int>("selCol");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::newRow("another peg") << 3 << 2 << 3 << 3;
        QTest::newRow("hole with no selection") << -1 << -1 << 4 << 4;
        QTest::newRow("one cell away") << 4 << 3 << 4 << 4;
        QTest::newRow("three cells away") << 4 << 1 << 4 << 4;
        QTest::newRow("two away diagonally") << 3 << 2 << 5 << 4;
        QTest::newRow("empty middle") << 3 << 4 << 5 << 4;
        QTest::newRow("outside the board") << 3 << 1 << 1 << 1;
    }

    void refusedClicksChangeNothing()
    {
        QFETCH(int, selRow);
        QFETCH(int, selCol);
        QFETCH(int, row);
        QFETCH(int, col);
        Game game = GameScripts::newGame(1);
        jump(game, {5, 4, 3, 4});
        if (selRow >= 0)
            QCOMPARE(game.clickCell(selRow, selCol), ClickOutcome::Selected);
        game.board().takeChanged();
        const Snapshot before(game);
        QCOMPARE(game.clickCell(row, col), ClickOutcome::Refused);
        QVERIFY(Snapshot(game) == before);
        QVERIFY(game.board().takeChanged().none());
    }

    void jumpUpdatesCellsCountAndRecord()
    {
        Game game = GameScripts::newGame(1);
        jump(game, {5, 4, 3, 4});
        QCOMPARE(game.pegsLeft(), 35);
        QCOMPARE(pegCount(game), 35);
        for (const auto& [row, picture] : {std::pair{3, CellPicture::Peg}, {4, CellPicture::Hole}, {5, CellPicture::Hole}}) {
            QCOMPARE(game.board()(row, 4).Pegged, picture == CellPicture::Peg);
            QCOMPARE(game.board()(row, 4).Picture, picture);
            QVERIFY(!game.board()(row, 4).Marked);
        }
        QCOMPARE((std::array{game.lastFromRow(), game.lastFromCol(), game.lastToRow(), game.lastToCol()}), (std::array{5, 4, 3, 4}));
        QVERIFY(!game.pegSelected());
    }

    void undoTakesBackOnlyTheLastJump()
    {
        Game game = GameScripts::newGame(1);
        jump(game, {5, 4, 3, 4});
        const Snapshot afterFirst(game);
        jump(game, {4, 2, 4, 4});
        game.undo();
        QVERIFY(Snapshot(game).cells == afterFirst.cells);
        QCOMPARE(game.pegsLeft(), 35);

        Game single = GameScripts::newGame(1);
        const Snapshot fresh(single);
        jump(single, {5, 4, 3, 4});
        single.undo();
        QVERIFY(Snapshot(single).cells == fresh.cells);
        QCOMPARE(single.pegsLeft(), 36);
        // The same jump again is allowed.
        jump(single, {5, 4, 3, 4});
        QCOMPARE(single.pegsLeft(), 35);
    }

    void undoDropsOnlyASelectionOnTheLandedPeg()
    {
        Game game = GameScripts::newGame(1);
        jump(game, {5, 4, 3, 4});
        QCOMPARE(game.clickCell(3, 2), ClickOutcome::Selected);
        game.undo();
        // A selection elsewhere survives.
        QVERIFY(game.pegSelected() && game.board()(3, 2).Marked);
        QCOMPARE(game.clickCell(3, 2), ClickOutcome::Deselected);
        jump(game, {5, 4, 3, 4});
        QCOMPARE(game.clickCell(3, 4), ClickOutcome::Selected);
        game.undo();
        QVERIFY(!game.pegSelected());
        QCOMPARE((std::array{game.selRow(), game.selCol()}), (std::array{0, 0}));
        QVERIFY(!game.board()(3, 4).Marked);
        QCOMPARE(game.board()(3, 4).Picture, CellPicture::Hole);
        // The game goes on: the peg that jumped can jump again.
        jump(game, {5, 4, 3, 4});
    }

    void europeanTwoEdgesAndHiddenCells()
    {
        Board board;
        board.hideOutside(BoardLayout::forBoard(3));
        const auto pegsOnly = [&board](std::initializer_list<std::pair<int, int>> pegs) {
            for (int r = 0; r < Board::Size; ++r)
                for (int c = 0; c < Board::Size; ++c)
                    if (board(r, c).Visible)
                        board.setPegged(r, c, false);
            for (const auto& [r, c] : pegs)
                board.setPegged(r, c, true);
        };
        // A peg on the edge column next to a peg: the jump would land outside the grid.
        pegsOnly({{4, 1}, {4, 0}});
        QVERIFY(!LegalMoveSearch::pegCanJump(board, 4, 1));
        QVERIFY(LegalMoveSearch::pegCanJump(board, 4, 0));
        QVERIFY(!LegalMoveSearch::noMovesLeft(board));
        // Three in a row from the edge: only the middle one can jump, inward.
        pegsOnly({{4, 0}, {4, 1}, {4, 2}});
        QVERIFY(!LegalMoveSearch::pegCanJump(board, 4, 0));
        QVERIFY(LegalMoveSearch::pegCanJump(board, 4, 1));
        QVERIFY(!LegalMoveSearch::pegCanJump(board, 4, 2));
        // Top arm: a jump from row 1 over row 0 leaves the grid.
        pegsOnly({{0, 4}, {1, 4}});
        QVERIFY(!LegalMoveSearch::canJumpOver(board, 1, 4, 0, 4));
        QVERIFY(LegalMoveSearch::canJumpOver(board, 0, 4, 1, 4));
        // A hidden neighbour keeps Pegged true but is no peg to jump over, nor a place to land.
        pegsOnly({{1, 3}});
        QVERIFY(!board(1, 2).Visible && board(1, 2).Pegged);
        QVERIFY(LegalMoveSearch::noMovesLeft(board));
    }

    void diagonalOnlyPositionHasNoMoves()
    {
        Board board;
        board.hideOutside(BoardLayout::forBoard(4));
        for (int r = 1; r <= 7; ++r)
            for (int c = 1; c <= 7; ++c)
                board.setPegged(r, c, false);
        board.setPegged(3, 3, true);
        board.setPegged(4, 4, true);
        QVERIFY(LegalMoveSearch::noMovesLeft(board));
        board.setPegged(3, 4, true);
        QVERIFY(!LegalMoveSearch::noMovesLeft(board));
    }
};

QTEST_GUILESS_MAIN(TestGameRules)
#include "test_game_rules.moc"
