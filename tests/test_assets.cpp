// The committed piece images, window pictures and icons: the names and sizes the program loads,
// and that the pieces show what the board needs.
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>

namespace {

const QString assets = QStringLiteral(HOPNIX_SOURCE_DIR "/assets/");

struct Holder {
    QString folder;
    // Small selected peg, peg and hole, then the large ones.
    std::array<QString, 6> names;
};

const std::array<Holder, 4> holders{{
    {"swirl", {"SMarked", "SPegged", "SUnPegged", "Marked", "PeggedImage", "UnPeggedImage"}},
    {"slate", {"SMarked", "SPegged", "SUnPegged", "Marked", "Pegged", "UnPegged"}},
    {"aqua", {"SMarked", "SPegged", "SUnpegged", "Marked", "Pegged", "UnPegged"}},
    {"cocktail", {"SMarked", "SPegged", "SUnPegged", "Marked", "Pegged", "UnPegged"}},
}};

QString piece(const Holder& h, std::size_t index)
{
    return QStringLiteral("pieces/%1/%2.bmp").arg(h.folder, h.names[index]);
}

int difference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// Centre of the pixels where a picture departs clearly from `plain` (y counts from the top), and how many.
std::pair<QPointF, int> changeCentre(const QImage& image, const std::function<QRgb(int, int)>& plain)
{
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            if (difference(image.pixel(x, y), plain(x, y)) > 30)
                sx += x, sy += y, ++n;
    return {n ? QPointF(sx / n, sy / n) : QPointF(-1, -1), n};
}

} // namespace

class TestAssets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every picture the program loads decodes at the size it is drawn, and the resource list holds exactly these.
    void everyPictureIsListedAndDecodesAtItsSize()
    {
        QMap<QString, std::pair<QSize, bool>> pictures{
            {"pictures/splash.png", {{296, 170}, false}}, {"pictures/panel.png", {{97, 393}, false}},
            {"pictures/undo.png", {{16, 16}, true}}, {"pictures/highscore_panel.png", {{281, 185}, false}},
            {"icons/lastpeg-32.png", {{32, 32}, true}}, {"icons/help-32.png", {{32, 32}, true}}};
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
            pictures.insert(QStringLiteral("icons/hopnix-%1.png").arg(size), {{size, size}, true});
        for (const Holder& h : holders)
            for (std::size_t i = 0; i < h.names.size(); ++i) {
                pictures.insert(piece(h, i), {{50, 50}, false});
                // An uncompressed 24-bit bitmap with the plain 40-byte header and no palette has exactly this size.
                QCOMPARE(QFileInfo(assets + piece(h, i)).size(), qint64{54 + 50 * 152});
            }
        for (auto it = pictures.cbegin(); it != pictures.cend(); ++it) {
            const QImage image(assets + it.key());
            QVERIFY2(image.size() == it->first && image.hasAlphaChannel() == it->second, qPrintable(it.key()));
        }

        QFile qrc(assets + QStringLiteral("art.qrc"));
        QVERIFY(qrc.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&qrc);
        QSet<QString> listed;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("file"))
                listed.insert(xml.readElementText());
        QVERIFY(!xml.hasError());
        QSet<QString> present;
        for (const QString& folder : {QStringLiteral("pieces"), QStringLiteral("pictures"), QStringLiteral("icons")})
            for (QDirIterator it(assets + folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
                present.insert(it.next().mid(assets.size()));
        QCOMPARE(listed, present);
        QCOMPARE(present, QSet<QString>(pictures.keyBegin(), pictures.keyEnd()));
    }

    // The motifs sit where the cells show them, and the selected peg stands out at a glance.
    void piecesShowWhatTheBoardNeeds()
    {
        for (const Holder& h : holders) {
            const QImage hole(assets + piece(h, 2));
            QCOMPARE(QImage(assets + piece(h, 5)), hole);
            // The hole stands out from the surface and is centred on the part of the image a small cell shows.
            const auto [holeAt, outline] = changeCentre(hole, [&](int, int) { return hole.pixel(45, 45); });
            QVERIFY2(outline > 150 && std::hypot(holeAt.x() - 20, holeAt.y() - 20) < 1.5, qPrintable(h.folder));
            for (const std::size_t base : {0, 3}) {
                const QImage marked(assets + piece(h, base)), pegged(assets + piece(h, base + 1));
                const double centre = base ? 24.5 : 20;
                // The halo of the selected peg is round; a peg's drop shadow pulls its centre down and right.
                for (const auto& [image, slack] : {std::pair{&marked, 1.0}, std::pair{&pegged, 3.0}}) {
                    const QPointF at = changeCentre(*image, [&](int x, int y) { return hole.pixel(x, y); }).first;
                    QVERIFY2(std::hypot(at.x() - centre, at.y() - centre) < slack, qPrintable(piece(h, base)));
                }
                int changed = 0;
                for (int y = 0; y < 50; ++y)
                    for (int x = 0; x < 50; ++x) {
                        // A small cell shows only 41 x 41 pixels: beyond them the small images are plain surface.
                        if (!base && (x >= 41 || y >= 41))
                            QVERIFY(difference(marked.pixel(x, y), hole.pixel(x, y)) <= 24
                                    && difference(pegged.pixel(x, y), hole.pixel(x, y)) <= 24);
                        changed += x < 41 && y < 41 && difference(marked.pixel(x, y), pegged.pixel(x, y)) > 80;
                    }
                QVERIFY2(changed > 400, qPrintable(piece(h, base)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestAssets)
#include "test_assets.moc"
