#pragma once

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPointF>

class QPainter;

// Draws the four piece styles ("Swirl", "Slate", "Aqua", "Cocktail") and writes them as the
// 50 x 50 24-bit bitmaps the board cells show; the large "Swirl" peg doubles as the logo.
class PieceArt {
public:
    enum class Look { Marked, Pegged, UnPegged };
    static constexpr int StyleCount = 4;
    static constexpr int Side = 50;

    // style 1..4 in menu order; small is the variant for 41-pixel cells.
    static QImage render(int style, Look look, bool small);
    // Writes pieces/<Holder>/<Name>.bmp for all 24 images.
    static bool writeAll(const QDir& assets);
    // Uncompressed bottom-up 24-bit Windows bitmap with the 54-byte header.
    static QByteArray toBmp(const QImage& image);

    // A shaded ball lit from the top left, shared with the icons.
    static void paintBall(QPainter& painter, QPointF centre, qreal radius, const QColor& colour);
};
