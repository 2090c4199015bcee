#include "window_art.h"

#include "piece_art.h"

#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

const QColor indigo(58, 46, 178);
const QColor wood(196, 150, 96);

QImage blank(int width, int height, QImage::Format format)
{
    QImage image(width, height, format);
    image.fill(Qt::transparent);
    // Fixed resolution so the PNG header does not depend on the screen the tool runs on.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

void fillVertical(QPainter& p, const QRectF& rect, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(rect, g);
}

// The logo's two-armed swirl, washed faintly over a light background.
void paintWatermarkSwirl(QImage& image, QPointF centre, double radius, const QColor& colour, double strength)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            double cover = 0;
            for (int s = 0; s < 4; ++s) {
                const double dx = x + (s % 2 + 0.5) / 2 - centre.x(), dy = y + (s / 2 + 0.5) / 2 - centre.y();
                const double rho = std::hypot(dx, dy) / radius;
                const double turn = std::atan2(dy, dx) / std::numbers::pi + 1.25 * rho;
                if (rho < 1 && turn - std::floor(turn) < 0.4)
                    cover += 0.25 * (1 - rho * rho);
            }
            if (cover == 0)
                continue;
            const QColor old = image.pixelColor(x, y);
            const double t = strength * cover;
            image.setPixelColor(x, y,
                QColor(static_cast<int>(old.red() + (colour.red() - old.red()) * t),
                    static_cast<int>(old.green() + (colour.green() - old.green()) * t),
                    static_cast<int>(old.blue() + (colour.blue() - old.blue()) * t)));
        }
    }
}

// Whether a cell of an n x n grid lies on the cross-shaped board whose corners, n / 3 cells square, are cut away.
bool onCross(int row, int col, int n)
{
    const int arm = n / 3;
    const bool middleRows = row >= arm && row < n - arm, middleCols = col >= arm && col < n - arm;
    return middleRows || middleCols;
}

// A cross-shaped wooden board seen from above, n x n cells, every hole pegged but the centre one.
void paintCrossBoard(QPainter& p, const QRectF& area, int n)
{
    const qreal cell = area.width() / n;
    const int arm = n / 3;
    const qreal corner = cell * 0.45;
    QPainterPath upright, across;
    upright.addRoundedRect(QRectF(area.left() + arm * cell, area.top(), (n - 2 * arm) * cell, area.height()), corner,
        corner);
    across.addRoundedRect(QRectF(area.left(), area.top() + arm * cell, area.width(), (n - 2 * arm) * cell), corner,
        corner);
    const QPainterPath cross = upright.united(across);
    QLinearGradient g(area.topLeft(), area.bottomRight());
    g.setColorAt(0, wood.lighter(125));
    g.setColorAt(1, wood.darker(125));
    p.setPen(QPen(wood.darker(260), std::max(1.0, cell * 0.12)));
    p.setBrush(g);
    p.drawPath(cross);
    for (int row = 0; row < n; ++row) {
        for (int col = 0; col < n; ++col) {
            if (!onCross(row, col, n))
                continue;
            const QPointF centre = area.topLeft() + QPointF((col + 0.5) * cell, (row + 0.5) * cell);
            if (row == n / 2 && col == n / 2) {
                p.setPen(Qt::NoPen);
                p.setBrush(wood.darker(330));
                p.drawEllipse(centre, cell * 0.3, cell * 0.3);
            } else {
                PieceArt::paintBall(p, centre, cell * 0.42, indigo);
            }
        }
    }
}

// A strip of board above the title: a row of pegs with one hole, as in the middle of a jump.
void paintPegRow(QPainter& p, const QRectF& strip)
{
    QLinearGradient g(strip.topLeft(), strip.bottomLeft());
    g.setColorAt(0, wood.lighter(120));
    g.setColorAt(1, wood.darker(115));
    p.setPen(QPen(wood.darker(220), 1));
    p.setBrush(g);
    p.drawRoundedRect(strip, strip.height() / 2, strip.height() / 2);
    const int count = 12;
    const qreal step = (strip.width() - strip.height()) / (count - 1);
    for (int i = 0; i < count; ++i) {
        const QPointF centre(strip.left() + strip.height() / 2 + i * step, strip.center().y());
        if (i == 8) {
            p.setPen(Qt::NoPen);
            p.setBrush(wood.darker(330));
            p.drawEllipse(centre, 4, 4);
        } else {
            PieceArt::paintBall(p, centre, 7, i == 10 ? QColor(238, 118, 20) : indigo);
        }
    }
}

// Written in the format the name ends with.
bool save(const QImage& image, const QDir& assets, const QString& name)
{
    const QString path = assets.filePath(name);
    if (!QDir().mkpath(QFileInfo(path).path()) || !image.save(path, QFileInfo(path).suffix().toUpper().toLatin1())) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

QImage WindowArt::splash()
{
    QImage image = blank(296, 170, QImage::Format_RGB32);
    {
        QPainter p(&image);
        fillVertical(p, image.rect(), QColor(252, 249, 240), QColor(222, 230, 244));
    }
    // Far enough right and faint enough that the black title and texts stay crisp over it.
    paintWatermarkSwirl(image, QPointF(262, 122), 92, indigo, 0.16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintPegRow(p, QRectF(14, 8, 268, 20));
    p.setPen(QPen(QColor(58, 46, 178, 90), 1));
    p.drawLine(QPointF(24, 137.5), QPointF(272, 137.5));
    // The splash has no title bar, so the picture brings its own frame.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(40, 34, 110));
    p.setBrush(Qt::NoBrush);
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    p.setPen(QColor(255, 255, 255, 200));
    p.drawRect(image.rect().adjusted(1, 1, -2, -2));
    return image;
}

QImage WindowArt::panel()
{
    QImage image = blank(97, 393, QImage::Format_RGB32);
    QPainter p(&image);
    // White notices sit on the dark band at the top; the dark grey labels below sit on the light part.
    fillVertical(p, QRectF(0, 0, 97, 50), QColor(30, 26, 86), QColor(52, 48, 128));
    fillVertical(p, QRectF(0, 50, 97, 343), QColor(226, 229, 240), QColor(186, 194, 216));
    fillVertical(p, QRectF(0, 50, 97, 6), QColor(20, 16, 60, 110), QColor(20, 16, 60, 0));
    p.setPen(QColor(132, 124, 220));
    p.drawLine(0, 49, 96, 49);
    p.setPen(QColor(255, 255, 255, 170));
    p.drawLine(0, 50, 0, 392);
    p.setPen(QColor(110, 116, 140));
    p.drawLine(96, 0, 96, 392);
    return image;
}

QImage WindowArt::undoArrow()
{
    QImage image = blank(16, 16, QImage::Format_ARGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The shaft leaves the head to the right, bends down round the right side and comes back left.
    QPainterPath shaft(QPointF(5.5, 5.5));
    shaft.lineTo(9.0, 5.5);
    shaft.arcTo(QRectF(5.5, 5.5, 7, 7), 90, -180);
    shaft.lineTo(5.0, 12.5);
    QPainterPath head(QPointF(1.5, 5.5));
    head.lineTo(6.5, 1.5);
    head.lineTo(6.5, 9.5);
    head.closeSubpath();
    const QColor ink(24, 60, 160);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 200), 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shaft);
    p.setPen(QPen(QColor(255, 255, 255, 200), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(head);
    p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shaft);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(head);
    return image;
}

QImage WindowArt::highScorePanel()
{
    QImage image = blank(281, 185, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    fillVertical(p, image.rect(), QColor(253, 249, 232), QColor(242, 230, 196));
    // Faint bands behind the five score rows, which stand 24 pixels apart from y 48.
    for (int row = 0; row < 5; row += 2)
        p.fillRect(QRectF(8, 47 + 24 * row, 265, 19), QColor(200, 160, 70, 34));
    const QColor gold(176, 132, 52);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(gold, 1.6));
    p.drawRoundedRect(QRectF(2.5, 2.5, 276, 180), 6, 6);
    p.setPen(QPen(gold.lighter(130), 0.8));
    p.drawRoundedRect(QRectF(5.5, 5.5, 270, 174), 4, 4);
    for (const QPointF corner : {QPointF(9, 9), QPointF(272, 9), QPointF(9, 176), QPointF(272, 176)})
        PieceArt::paintBall(p, corner, 3.6, QColor(214, 160, 40));
    return image;
}

QImage WindowArt::appIcon(int size)
{
    QImage image = blank(size, size, QImage::Format_ARGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // 33 holes need room; smaller icons show the same cross with fewer holes.
    const int cells = size >= 48 ? 7 : size >= 32 ? 5 : 3;
    const qreal margin = size >= 48 ? size * 0.06 : 0.5;
    paintCrossBoard(p, QRectF(margin, margin, size - 2 * margin, size - 2 * margin), cells);
    return image;
}

QImage WindowArt::lastPegIcon()
{
    // The last-peg window in small: pale blue holes of the cross on black, the centre one red.
    QImage image = blank(32, 32, QImage::Format_ARGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 12, 16));
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 4, 4);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 7; ++col) {
            if (onCross(row, col, 7))
                p.fillRect(3 + 4 * col, 3 + 4 * row, 3, 3,
                    row == 3 && col == 3 ? QColor(235, 30, 30) : QColor(170, 210, 255));
        }
    }
    return image;
}

QImage WindowArt::helpIcon()
{
    QImage image = blank(32, 32, QImage::Format_ARGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PieceArt::paintBall(p, QPointF(16, 16), 15, QColor(36, 92, 200));
    // The question mark is drawn, not typed, so it does not depend on the installed fonts.
    QPainterPath hook;
    hook.arcMoveTo(QRectF(10.5, 6.5, 11, 10), 165);
    hook.arcTo(QRectF(10.5, 6.5, 11, 10), 165, -235);
    hook.quadTo(QPointF(16, 17.5), QPointF(16, 20));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 24.6), 2, 2);
    return image;
}

bool WindowArt::writeAll(const QDir& assets)
{
    // The splash's picture is read before its first frame: an uncompressed one costs a tenth of decoding a PNG.
    bool ok = save(splash(), assets, QStringLiteral("pictures/splash.ppm"));
    ok = save(panel(), assets, QStringLiteral("pictures/panel.png")) && ok;
    ok = save(undoArrow(), assets, QStringLiteral("pictures/undo.png")) && ok;
    ok = save(highScorePanel(), assets, QStringLiteral("pictures/highscore_panel.png")) && ok;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        ok = save(appIcon(size), assets, QStringLiteral("icons/hopnix-%1.png").arg(size)) && ok;
    ok = save(lastPegIcon(), assets, QStringLiteral("icons/lastpeg-32.png")) && ok;
    ok = save(helpIcon(), assets, QStringLiteral("icons/help-32.png")) && ok;
    return ok;
}
