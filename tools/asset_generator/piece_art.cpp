#include "piece_art.h"

#include <QtEndian>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

using Look = PieceArt::Look;
constexpr int Side = PieceArt::Side;

struct Spot {
    QPointF centre;
    qreal radius;
};

// A 96 dpi cell shows only the top-left 41 x 41 pixels, so the small peg is centred on that part.
Spot pegSpot(bool small)
{
    return small ? Spot{{20.5, 20.5}, 14.5} : Spot{{25.0, 25.0}, 17.5};
}

// Both variants share one hole picture. It is centred on the 41 x 41 part a 96 dpi cell shows, the
// board nearly everyone sees; on the 120 dpi board the holes sit 4.5 pixels up and left of the
// pegs' centres. The surface around it fills the whole square either way.
constexpr Spot holeSpot{{20.5, 20.5}, 9.5};

int channel(double v)
{
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

QColor scaled(const QColor& c, double f)
{
    return {channel(c.red() * f), channel(c.green() * f), channel(c.blue() * f)};
}

QColor mixed(const QColor& a, const QColor& b, double t)
{
    return {channel(a.red() + (b.red() - a.red()) * t), channel(a.green() + (b.green() - a.green()) * t),
        channel(a.blue() + (b.blue() - a.blue()) * t)};
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

// Integer hash so the grain is the same on every run and every machine.
double noise(int x, int y, quint32 seed)
{
    quint32 h = seed ^ (static_cast<quint32>(x) * 0x9E3779B1u) ^ (static_cast<quint32>(y) * 0x85EBCA77u);
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h / 4294967295.0;
}

// Fills a disc with a colour computed per sample; 4 x 4 samples a pixel give the smooth edge.
template <typename ColourAt>
void fillDisc(QImage& image, Spot spot, ColourAt colourAt)
{
    const QPointF corner(spot.radius, spot.radius);
    const QRect box = QRectF(spot.centre - corner, spot.centre + corner).toAlignedRect() & image.rect();
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            double r = 0, g = 0, b = 0;
            int inside = 0;
            for (int s = 0; s < 16; ++s) {
                const double px = x + (s % 4 + 0.5) / 4, py = y + (s / 4 + 0.5) / 4;
                if (std::hypot(px - spot.centre.x(), py - spot.centre.y()) > spot.radius)
                    continue;
                const QColor c = colourAt(px, py);
                r += c.red(), g += c.green(), b += c.blue();
                ++inside;
            }
            if (inside == 0)
                continue;
            const QColor sample(channel(r / inside), channel(g / inside), channel(b / inside));
            image.setPixelColor(x, y, mixed(image.pixelColor(x, y), sample, inside / 16.0));
        }
    }
}

void dropShadow(QPainter& p, Spot s)
{
    const QPointF c = s.centre + QPointF(0.14 * s.radius, 0.2 * s.radius);
    QRadialGradient g(c, s.radius * 1.14);
    g.setColorAt(0, QColor(0, 0, 0, 150));
    g.setColorAt(0.78, QColor(0, 0, 0, 110));
    g.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, s.radius * 1.14, s.radius * 1.14);
}

// The selected peg is lifted into a bright halo with a crisp ring round it.
void glow(QPainter& p, Spot s, const QColor& colour)
{
    const qreal outer = s.radius + 5.5;
    QRadialGradient g(s.centre, outer);
    g.setColorAt(s.radius / outer * 0.9, colour);
    g.setColorAt((s.radius + 1.5) / outer, withAlpha(colour, 220));
    g.setColorAt(1, withAlpha(colour, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(s.centre, outer, outer);
    p.setPen(QPen(mixed(colour, Qt::white, 0.6), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(s.centre, s.radius + 1.6, s.radius + 1.6);
}

// Turns a flat disc into a ball: bright towards the light at the top left, dark at the far rim.
void shade(QPainter& p, Spot s)
{
    const QPointF focus = s.centre + QPointF(-0.4 * s.radius, -0.45 * s.radius);
    QRadialGradient g(s.centre, s.radius, focus);
    g.setColorAt(0, QColor(255, 255, 255, 120));
    g.setColorAt(0.35, QColor(255, 255, 255, 0));
    g.setColorAt(0.72, QColor(0, 0, 0, 40));
    g.setColorAt(1, QColor(0, 0, 0, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(s.centre, s.radius, s.radius);
}

void gloss(QPainter& p, Spot s, int alpha)
{
    p.save();
    p.translate(s.centre + QPointF(-0.36 * s.radius, -0.42 * s.radius));
    p.rotate(-38);
    p.scale(1, 0.6);
    const qreal r = 0.36 * s.radius;
    QRadialGradient g(QPointF(0, 0), r);
    g.setColorAt(0, QColor(255, 255, 255, alpha));
    g.setColorAt(0.55, QColor(255, 255, 255, alpha * 2 / 3));
    g.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), r, r);
    p.restore();
}

// A selected peg floats in its halo; a resting one casts its shadow down and to the right.
void lift(QPainter& p, Spot s, bool selected, const QColor& halo)
{
    if (selected)
        glow(p, s, halo);
    else
        dropShadow(p, s);
}

// A glass marble with two white arms wound through it; it turns orange with a gold halo when selected.
void paintSwirl(QImage& image, Spot s, bool selected)
{
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        lift(p, s, selected, QColor(255, 214, 60));
    }
    const QColor body = selected ? QColor(238, 118, 20) : QColor(58, 46, 178);
    const QColor arm = selected ? QColor(255, 240, 180) : QColor(236, 238, 255);
    fillDisc(image, s, [&](double x, double y) {
        const double dx = x - s.centre.x(), dy = y - s.centre.y();
        const double turn = std::atan2(dy, dx) / std::numbers::pi + 1.25 * std::hypot(dx, dy) / s.radius;
        return turn - std::floor(turn) < 0.4 ? arm : body;
    });
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    shade(p, s);
    gloss(p, s, 235);
}

// A polished stone button: a bevelled edge round a flat, speckled top; icy blue when selected.
void paintSlate(QImage& image, Spot s, bool selected)
{
    const QColor stone = selected ? QColor(204, 236, 255) : QColor(132, 146, 166);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        lift(p, s, selected, QColor(90, 210, 255));
        QLinearGradient bevel(s.centre - QPointF(0.7, 0.7) * s.radius, s.centre + QPointF(0.7, 0.7) * s.radius);
        bevel.setColorAt(0, mixed(stone, Qt::white, 0.55));
        bevel.setColorAt(0.5, stone);
        bevel.setColorAt(1, scaled(stone, 0.42));
        p.setPen(QPen(scaled(stone, 0.35), 0.8));
        p.setBrush(bevel);
        p.drawEllipse(s.centre, s.radius - 0.4, s.radius - 0.4);
    }
    const Spot top{s.centre, s.radius * 0.74};
    fillDisc(image, top, [&](double x, double y) {
        const double n = noise(static_cast<int>(x), static_cast<int>(y), selected ? 71 : 17);
        const QColor c = scaled(stone, 0.95 + 0.1 * n);
        return n > 0.93 ? mixed(c, Qt::white, 0.35) : c;
    });
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sheen(top.centre - QPointF(top.radius, top.radius), top.centre + QPointF(top.radius, top.radius));
    sheen.setColorAt(0, QColor(0, 0, 0, 70));
    sheen.setColorAt(0.5, QColor(0, 0, 0, 0));
    sheen.setColorAt(1, QColor(255, 255, 255, 80));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawEllipse(top.centre, top.radius + 0.6, top.radius + 0.6);
    QRadialGradient light(top.centre - QPointF(0.35, 0.35) * top.radius, top.radius);
    light.setColorAt(0, QColor(255, 255, 255, 70));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(light);
    p.drawEllipse(top.centre, top.radius, top.radius);
}

// A glass bead: the light gathers on the far side of the glass and a sharp highlight sits on the near
// side; it turns lime green in a pale halo when selected.
void paintAqua(QImage& image, Spot s, bool selected)
{
    const QColor glass = selected ? QColor(140, 226, 40) : QColor(30, 182, 186);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    lift(p, s, selected, QColor(225, 255, 150));
    QRadialGradient body(s.centre + QPointF(0.32, 0.38) * s.radius, 1.3 * s.radius);
    body.setColorAt(0, mixed(glass, Qt::white, 0.7));
    body.setColorAt(0.3, mixed(glass, Qt::white, 0.2));
    body.setColorAt(0.7, glass);
    body.setColorAt(1, scaled(glass, 0.3));
    p.setPen(QPen(scaled(glass, 0.3), 0.9));
    p.setBrush(body);
    p.drawEllipse(s.centre, s.radius - 0.45, s.radius - 0.45);
    gloss(p, s, 250);
    p.setPen(QPen(QColor(255, 255, 255, 120), 0.12 * s.radius, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const qreal arc = 0.72 * s.radius;
    p.drawArc(QRectF(s.centre - QPointF(arc, arc), s.centre + QPointF(arc, arc)), -20 * 16, -50 * 16);
}

void paintCherry(QPainter& p, Spot s)
{
    const Spot ball{s.centre + QPointF(0, 0.12 * s.radius), 0.86 * s.radius};
    dropShadow(p, ball);
    PieceArt::paintBall(p, ball.centre, ball.radius, QColor(214, 18, 40));
    const QPointF base = ball.centre + QPointF(0.05 * s.radius, -0.68 * ball.radius);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 0, 16, 150));
    p.drawEllipse(base, 0.16 * s.radius, 0.09 * s.radius);
    QPainterPath stem(base);
    stem.cubicTo(base + QPointF(0, -0.3 * s.radius), s.centre + QPointF(0.3 * s.radius, -0.96 * s.radius),
        s.centre + QPointF(0.66 * s.radius, -0.98 * s.radius));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(92, 58, 18), std::max(1.5, 0.13 * s.radius), Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stem);
    p.setPen(QPen(QColor(176, 140, 70), 0.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stem.translated(-0.35, -0.35));
}

// A green olive seen end on, with its red filling.
void paintOlive(QPainter& p, Spot s)
{
    PieceArt::paintBall(p, s.centre, s.radius, QColor(126, 156, 36));
    const QPointF hole = s.centre + QPointF(0.06, 0.08) * s.radius;
    const qreal r = 0.42 * s.radius;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 60, 10));
    p.drawEllipse(hole, r + 1.1, r + 1.1);
    QRadialGradient pimento(hole - QPointF(0.3, 0.3) * r, 1.3 * r);
    pimento.setColorAt(0, QColor(255, 120, 90));
    pimento.setColorAt(0.5, QColor(226, 30, 30));
    pimento.setColorAt(1, QColor(120, 0, 10));
    p.setBrush(pimento);
    p.drawEllipse(hole, r, r);
}

// A glossy cocktail cherry on its stem; when selected it becomes a stuffed olive in a gold halo.
void paintCocktail(QImage& image, Spot s, bool selected)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (selected) {
        glow(p, s, QColor(255, 206, 40));
        paintOlive(p, s);
    } else {
        paintCherry(p, s);
    }
}

struct StyleArt {
    const char* holder;
    // Small selected peg, peg and hole, then the large ones, under the names the program asks for.
    std::array<const char*, 6> names;
    QColor board;
    double grain;   // per-pixel grain of the surface, as a share of its brightness
    double streak;  // how much of that grain runs in horizontal streaks, like wood
    double sparkle; // share of surface pixels that glint
    quint32 seed;
    void (*peg)(QImage&, Spot, bool selected);
};

const std::array<StyleArt, PieceArt::StyleCount> styles{{
    {"swirl", {"SMarked", "SPegged", "SUnPegged", "Marked", "PeggedImage", "UnPeggedImage"},
        QColor(196, 150, 96), 0.12, 0.6, 0, 1, paintSwirl},
    {"slate", {"SMarked", "SPegged", "SUnPegged", "Marked", "Pegged", "UnPegged"}, QColor(66, 76, 92), 0.12,
        0, 0, 2, paintSlate},
    {"aqua", {"SMarked", "SPegged", "SUnpegged", "Marked", "Pegged", "UnPegged"}, QColor(14, 70, 96), 0.08, 0,
        0, 3, paintAqua},
    {"cocktail", {"SMarked", "SPegged", "SUnPegged", "Marked", "Pegged", "UnPegged"}, QColor(34, 30, 84), 0.06, 0,
        0.012, 4, paintCocktail},
}};

// The surface has no feature tied to the cell's edge, so cells cropped to 41 pixels still join seamlessly.
void paintSurface(QImage& image, const StyleArt& art)
{
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            const double fine = noise(x, y, art.seed), streak = noise(x / 7, y, art.seed + 100);
            const double n = (1 - art.streak) * fine + art.streak * streak - 0.5;
            QColor c = scaled(art.board, 1 + art.grain * n);
            const double glint = noise(x, y, art.seed + 200);
            if (glint > 1 - art.sparkle)
                c = mixed(c, QColor(255, 230, 150), 0.35 + 0.5 * noise(y, x, art.seed));
            image.setPixelColor(x, y, c);
        }
    }
}

// A dimple in the surface: its near wall under the top-left lip is in shadow, the far wall lit.
void paintHole(QPainter& p, const QColor& board)
{
    const auto [c, r] = holeSpot;
    QLinearGradient lip(c - QPointF(r, r), c + QPointF(r, r));
    lip.setColorAt(0, scaled(board, 0.6));
    lip.setColorAt(1, mixed(board, Qt::white, 0.3));
    p.setPen(Qt::NoPen);
    p.setBrush(lip);
    p.drawEllipse(c, r + 1.4, r + 1.4);
    QLinearGradient wall(c - QPointF(r, r) * 0.7, c + QPointF(r, r) * 0.7);
    wall.setColorAt(0, scaled(board, 0.12));
    wall.setColorAt(0.55, scaled(board, 0.3));
    wall.setColorAt(1, scaled(board, 0.7));
    p.setBrush(wall);
    p.drawEllipse(c, r, r);
    QRadialGradient depth(c - QPointF(0.15, 0.15) * r, 0.7 * r);
    depth.setColorAt(0, QColor(0, 0, 0, 90));
    depth.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(depth);
    p.drawEllipse(c, r, r);
}

void appendLe(QByteArray& bytes, quint32 value, int size)
{
    char buffer[sizeof value];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, size);
}

} // namespace

void PieceArt::paintBall(QPainter& painter, QPointF centre, qreal radius, const QColor& colour)
{
    QRadialGradient g(centre, radius, centre + QPointF(-0.4, -0.45) * radius);
    g.setColorAt(0, mixed(colour, Qt::white, 0.5));
    g.setColorAt(0.45, colour);
    g.setColorAt(0.85, scaled(colour, 0.55));
    g.setColorAt(1, scaled(colour, 0.35));
    painter.setPen(Qt::NoPen);
    painter.setBrush(g);
    painter.drawEllipse(centre, radius, radius);
    gloss(painter, {centre, radius}, 235);
}

QImage PieceArt::render(int style, Look look, bool small)
{
    const StyleArt& art = styles[static_cast<std::size_t>(std::clamp(style, 1, StyleCount) - 1)];
    QImage image(Side, Side, QImage::Format_RGB32);
    paintSurface(image, art);
    if (look == Look::UnPegged) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        paintHole(p, art.board);
    } else {
        art.peg(image, pegSpot(small), look == Look::Marked);
    }
    return image;
}

QByteArray PieceArt::toBmp(const QImage& image)
{
    const int rowBytes = (image.width() * 3 + 3) & ~3;
    const auto pixelBytes = static_cast<quint32>(rowBytes * image.height());
    QByteArray bytes;
    bytes.append("BM");
    appendLe(bytes, 54 + pixelBytes, 4);
    appendLe(bytes, 0, 4); // two reserved words
    appendLe(bytes, 54, 4);
    appendLe(bytes, 40, 4);
    appendLe(bytes, static_cast<quint32>(image.width()), 4);
    appendLe(bytes, static_cast<quint32>(image.height()), 4); // positive: rows run bottom-up
    appendLe(bytes, 1, 2);
    appendLe(bytes, 24, 2);
    appendLe(bytes, 0, 4); // no compression
    appendLe(bytes, pixelBytes, 4);
    appendLe(bytes, 3780, 4); // 96 dpi in pixels per metre
    appendLe(bytes, 3780, 4);
    appendLe(bytes, 0, 4);
    appendLe(bytes, 0, 4);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = image.pixel(x, y);
            bytes.append(static_cast<char>(qBlue(px)));
            bytes.append(static_cast<char>(qGreen(px)));
            bytes.append(static_cast<char>(qRed(px)));
        }
        bytes.append(rowBytes - image.width() * 3, '\0');
    }
    return bytes;
}

bool PieceArt::writeAll(const QDir& assets)
{
    static constexpr std::array<Look, 3> looks{Look::Marked, Look::Pegged, Look::UnPegged};
    for (int style = 1; style <= StyleCount; ++style) {
        const StyleArt& art = styles[static_cast<std::size_t>(style - 1)];
        const QString folder = assets.filePath(QStringLiteral("pieces/%1").arg(QLatin1String(art.holder)));
        if (!QDir().mkpath(folder))
            return false;
        for (std::size_t i = 0; i < art.names.size(); ++i) {
            const QString path = QStringLiteral("%1/%2.bmp").arg(folder, QLatin1String(art.names[i]));
            const QByteArray bytes = toBmp(render(style, looks[i % 3], i < 3));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return false;
            }
        }
    }
    return true;
}
