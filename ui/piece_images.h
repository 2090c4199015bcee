#pragma once

#include "core/board/board_cell.h"

#include <QPixmap>
#include <QString>

// The four piece styles, each a selected peg, a peg and an empty hole in a small and a large variant.
class PieceImages {
public:
    static constexpr int StyleCount = 4;

    // The three pictures cells copy from; they stay valid whatever style comes next.
    struct Set {
        QPixmap markedPicture;
        QPixmap pegPicture;
        QPixmap holePicture;

        const QPixmap& of(CellPicture picture) const;
    };

    // Style 1..4: "Swirl", "Slate", "Aqua", "Cocktail".
    static Set load(int style, bool smallPieces);
    // The large "Swirl" peg, the program's logo in every style.
    static QPixmap logo();
};
