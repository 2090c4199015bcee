// Checks the committed piece images, window pictures and icons: exact bitmap format, the names the
// program loads, and that the pictures show what the board needs (selected peg stands out, motifs
// sit where the cells show them).
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

#include <array>
#include <cmath>
#include <cstdlib>

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

// A 50 x 50 piece picture, decoded; y counts from the top as on screen.
class Bitmap {
public:
    explicit Bitmap(const QString& relative) : image(assets + relative) {}

    int difference(const Bitmap& other, int x, int y) const
    {
        const QRgb a = image.pixel(x, y), b = other.image.pixel(x, y);
        return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
    }

    QImage image;
};

QString piece(const Holder& h, int index)
{
    return QStringLiteral("pieces/%1/%2.bmp").arg(h.folder, h.names[static_cast<std::size_t>(index)]);
}

// Centre of the pixels where a picture departs clearly from the plain hole picture: the peg's motif.
QPointF motifCentre(const Bitmap& image, const Bitmap& hole)
{
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            if (image.difference(hole, x, y) > 24)
                sx += x, sy += y, ++n;
    return n ? QPointF(sx / n, sy / n) : QPointF(-1, -1);
}

} // namespace

class TestAssets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bitmapFormat_data()
    {
        QTest::addColumn<QString>("path");
        for (const Holder& h : holders)
            for (int i = 0; i < 6; ++i)
                QTest::newRow(qPrintable(piece(h, i))) << piece(h, i);
    }

    void bitmapFormat()
    {
        QFETCH(QString, path);
        // An uncompressed 24-bit bitmap with the plain 40-byte header and no palette has exactly this size.
        QCOMPARE(QFileInfo(assets + path).size(), qint64{54 + 50 * 152});
        const QImage image(assets + path);
        QCOMPARE(image.size(), QSize(50, 50));
        QVERIFY(!image.hasAlphaChannel());
    }

    void styleImages_data()
    {
        QTest::addColumn<int>("style");
        for (int s = 0; s < 4; ++s)
            QTest::newRow(qPrintable(holders[static_cast<std::size_t>(s)].folder)) << s;
    }

    void styleImages()
    {
        QFETCH(int, style);
        const Holder& h = holders[static_cast<std::size_t>(style)];
        const Bitmap smallHole(piece(h, 2)), largeHole(piece(h, 5));
        QCOMPARE(largeHole.image, smallHole.image);

        // The hole stands out from the surface and is centred on the part of the image a small cell shows.
        const auto sum = [&smallHole](int x, int y) {
            const QRgb c = smallHole.image.pixel(x, y);
            return qRed(c) + qGreen(c) + qBlue(c);
        };
        double sx = 0, sy = 0;
        int outline = 0;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 50; ++x)
                if (std::abs(sum(x, y) - sum(45, 45)) > 90)
                    sx += x, sy += y, ++outline;
        QVERIFY2(outline > 150, qPrintable(QString::number(outline)));
        QVERIFY2(std::hypot(sx / outline - 20, sy / outline - 20) < 1.5,
            qPrintable(QStringLiteral("hole at %1,%2").arg(sx / outline).arg(sy / outline)));

        for (const bool small : {true, false}) {
            const int base = small ? 0 : 3;
            const Bitmap marked(piece(h, base)), pegged(piece(h, base + 1));
            const double centre = small ? 20 : 24.5;
            // The halo of the selected peg is round; a peg's drop shadow pulls its centre down and right.
            for (const auto& [image, slack] : {std::pair{&marked, 1.0}, std::pair{&pegged, 3.0}}) {
                const QPointF c = motifCentre(*image, smallHole);
                QVERIFY2(std::hypot(c.x() - centre, c.y() - centre) < slack,
                    qPrintable(QStringLiteral("motif at %1,%2").arg(c.x()).arg(c.y())));
            }
            // A small cell shows only 41 x 41 pixels: beyond them the small images are plain surface.
            if (small) {
                for (const Bitmap* image : {&marked, &pegged})
                    for (int y = 0; y < 50; ++y)
                        for (int x = 0; x < 50; ++x)
                            if (x >= 41 || y >= 41)
                                QVERIFY2(image->difference(smallHole, x, y) <= 24, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
            // The selected peg has to stand out from a peg at a glance.
            int changed = 0;
            for (int y = 0; y < 41; ++y)
                for (int x = 0; x < 41; ++x)
                    changed += marked.difference(pegged, x, y) > 80;
            QVERIFY2(changed > 400, qPrintable(QString::number(changed)));
        }
    }

    void pngSizes_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("alpha");
        QTest::newRow("splash") << "pictures/splash.png" << 296 << 170 << false;
        QTest::newRow("panel") << "pictures/panel.png" << 97 << 393 << false;
        QTest::newRow("undo") << "pictures/undo.png" << 16 << 16 << true;
        QTest::newRow("highscore") << "pictures/highscore_panel.png" << 281 << 185 << false;
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString path = QStringLiteral("icons/hopnix-%1.png").arg(size);
            QTest::newRow(qPrintable(path)) << path << size << size << true;
        }
        QTest::newRow("lastpeg") << "icons/lastpeg-32.png" << 32 << 32 << true;
        QTest::newRow("help") << "icons/help-32.png" << 32 << 32 << true;
    }

    void pngSizes()
    {
        QFETCH(QString, path);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, alpha);
        QImageReader reader(assets + path);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage image = reader.read();
        QCOMPARE(image.size(), QSize(width, height));
        // Icons and the undo arrow sit on whatever is behind them.
        QCOMPARE(image.hasAlphaChannel(), alpha);
    }

    void resourceListMatchesFiles()
    {
        QFile qrc(assets + QStringLiteral("art.qrc"));
        QVERIFY(qrc.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&qrc);
        QSet<QString> listed;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("qresource"))
                QCOMPARE(xml.attributes().value(QLatin1String("prefix")).toString(), QStringLiteral("/"));
            else if (xml.name() == QLatin1String("file"))
                listed.insert(xml.readElementText());
        }
        QVERIFY(!xml.hasError());
        QSet<QString> present;
        for (const QString& folder : {QStringLiteral("pieces"), QStringLiteral("pictures"), QStringLiteral("icons")}) {
            QDirIterator it(assets + folder, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                present.insert(it.next().mid(assets.size()));
        }
        QCOMPARE(present.size(), 38);
        QCOMPARE(listed, present);
    }
};

QTEST_GUILESS_MAIN(TestAssets)
#include "test_assets.moc"
