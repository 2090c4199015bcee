#pragma once

#include "core/rules/game.h"

#include <array>
#include <vector>

// Jumps as from-row, from-column, to-row, to-column.
using Jump = std::array<int, 4>;

namespace GameScripts {
// A game set up as New Game does on the given board.
inline Game newGame(int boardNumber)
{
    Game game;
    game.chooseBoard(boardNumber);
    game.board().setUpPieces();
    game.board().fillBoard();
    game.clearSelection();
    game.setStartHole(boardNumber);
    game.setNumberPegged(boardNumber);
    return game;
}

// "European 1" solved from the centre to a single peg in 31 jumps.
inline const std::vector<Jump> europeanOneSolved{
    {4, 6, 4, 4}, {4, 3, 4, 5}, {2, 4, 4, 4}, {5, 4, 3, 4}, {4, 1, 4, 3}, {5, 2, 5, 4}, {7, 3, 5, 3}, {4, 3, 6, 3},
    {2, 3, 4, 3}, {3, 1, 3, 3}, {3, 4, 3, 2}, {3, 6, 3, 4}, {1, 5, 3, 5}, {3, 4, 3, 6}, {3, 7, 3, 5}, {5, 7, 3, 7},
    {7, 5, 7, 3}, {7, 3, 5, 3}, {5, 4, 5, 2}, {5, 1, 5, 3}, {4, 5, 2, 5}, {6, 5, 4, 5}, {5, 3, 3, 3}, {3, 2, 3, 4},
    {1, 3, 1, 5}, {1, 5, 3, 5}, {3, 4, 3, 6}, {3, 7, 3, 5}, {3, 5, 5, 5}, {5, 6, 5, 4}, {5, 4, 7, 4}};

// "European 1" played into a dead end with eight pegs left.
inline const std::vector<Jump> europeanOneStuck{
    {4, 6, 4, 4}, {4, 3, 4, 5}, {2, 4, 4, 4}, {5, 4, 3, 4}, {4, 1, 4, 3}, {5, 2, 5, 4}, {6, 4, 4, 4}, {3, 4, 5, 4},
    {7, 3, 5, 3}, {4, 3, 6, 3}, {3, 2, 3, 4}, {1, 3, 3, 3}, {3, 4, 3, 2}, {1, 5, 1, 3}, {3, 1, 3, 3}, {3, 5, 1, 5},
    {5, 5, 5, 3}, {3, 7, 3, 5}, {5, 7, 5, 5}, {4, 5, 2, 5}, {6, 5, 4, 5}, {1, 5, 3, 5}, {4, 5, 2, 5}, {5, 3, 7, 3}};

// "Square 6x6" solved to a single peg in 34 jumps.
inline const std::vector<Jump> squareSixSolved{
    {4, 6, 4, 4}, {4, 3, 4, 5}, {2, 4, 4, 4}, {5, 4, 3, 4}, {6, 6, 4, 6}, {4, 6, 4, 4}, {3, 4, 5, 4}, {5, 4, 5, 6},
    {6, 4, 6, 6}, {6, 6, 4, 6}, {2, 2, 2, 4}, {3, 2, 3, 4}, {2, 4, 4, 4}, {2, 5, 4, 5}, {2, 7, 2, 5}, {1, 5, 3, 5},
    {1, 3, 1, 5}, {1, 6, 1, 4}, {4, 7, 2, 7}, {6, 2, 6, 4}, {6, 7, 4, 7}, {1, 7, 3, 7}, {4, 5, 4, 3}, {4, 2, 4, 4},
    {4, 7, 4, 5}, {4, 5, 4, 3}, {5, 2, 5, 4}, {6, 4, 4, 4}, {4, 3, 4, 5}, {4, 5, 2, 5}, {3, 7, 3, 5}, {3, 5, 1, 5},
    {1, 5, 1, 3}, {1, 2, 1, 4}};
} // namespace GameScripts
