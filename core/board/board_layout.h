#pragma once

#include <QString>

#include <array>
#include <utility>
#include <vector>

// One of the five boards: its shape on the 9 x 9 grid, start hole and where its container sits.
class BoardLayout {
public:
    static constexpr int Count = 5;

    // Board number 1..5 in the order of the Boards menu; anything else gives board 5, as the menu tests fall through to it.
    static const BoardLayout& forBoard(int number);

    int number = 0;
    QString name;
    // One string per row; 'o' a hole, 'E' the hole New Game leaves empty, '.' not part of the board.
    std::array<const char*, 9> shape{};
    int startRow = 0;
    int startCol = 0;
    // A constant per board, not counted from the grid.
    int pegsAtStart = 0;
    // Container position in twips; only the 6x6 board moves it.
    int containerLeft = 0;
    int containerTop = 0;
    // (row, column) of the holes where a lone last peg can stand when the game starts from the start hole;
    // the last-peg view shows them in red.
    std::vector<std::pair<int, int>> lastPegHoles;

    bool isHole(int row, int col) const;
    int holeCount() const;
    bool isLastPegHole(int row, int col) const;
};
