// Checks the committed piece images, window pictures and icons: exact bitmap format, the names the
// program loads, and that the pictures show what the board needs (selected peg stands out, motifs
// sit where the cells show them).
#include <QDirIterator>
#include <QFile>
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

QByteArray readFile(const QString& relative)
{
    QFile file(assets + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 le(const QByteArray& b, int offset, int size)
{
    quint32 v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | static_cast<quint8>(b[offset + i]);
    return v;
}

quint32 be32(const QByteArray& b, int offset)
{
    quint32 v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<quint8>(b[offset + i]);
    return v;
}

// A 50 x 50 24-bit bitmap read by hand; y counts from the top as on screen.
class Bitmap {
public:
    explicit Bitmap(const QString& relative)
        : bytes(readFile(relative))
    {
    }

    std::array<int, 3> rgb(int x, int y) const
    {
        const int at = 54 + (49 - y) * 152 + x * 3;
        return {static_cast<quint8>(bytes[at + 2]), static_cast<quint8>(bytes[at + 1]), static_cast<quint8>(bytes[at])};
    }

    int difference(const Bitmap& other, int x, int y) const
    {
        const auto a = rgb(x, y), b = other.rgb(x, y);
        return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
    }

    QByteArray bytes;
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
    void bitmapFormat_data();
    void bitmapFormat();
    void styleImages_data();
    void styleImages();
    void pngSizes_data();
    void pngSizes();
    void resourceListMatchesFiles();
};

void TestAssets::bitmapFormat_data()
{
    QTest::addColumn<QString>("path");
    for (const Holder& h : holders)
        for (int i = 0; i < 6; ++i)
            QTest::newRow(qPrintable(piece(h, i))) << piece(h, i);
}

void TestAssets::bitmapFormat()
{
    QFETCH(QString, path);
    const QByteArray b = readFile(path);
    QCOMPARE(b.size(), 7654);
    QCOMPARE(b.left(2), QByteArray("BM"));
    QCOMPARE(le(b, 2, 4), 7654u);  // file size
    QCOMPARE(le(b, 6, 4), 0u);     // reserved
    QCOMPARE(le(b, 10, 4), 54u);   // pixel data offset
    QCOMPARE(le(b, 14, 4), 40u);   // info header size
    QCOMPARE(le(b, 18, 4), 50u);   // width
    QCOMPARE(le(b, 22, 4), 50u);   // height, positive: bottom-up
    QCOMPARE(le(b, 26, 2), 1u);    // planes
    QCOMPARE(le(b, 28, 2), 24u);   // bits per pixel
    QCOMPARE(le(b, 30, 4), 0u);    // no compression
    QCOMPARE(le(b, 34, 4), 7600u); // pixel data size
    QCOMPARE(le(b, 46, 4), 0u);    // no palette
    for (int row = 0; row < 50; ++row)
        QCOMPARE(le(b, 54 + row * 152 + 150, 2), 0u);
}

void TestAssets::styleImages_data()
{
    QTest::addColumn<int>("style");
    for (int s = 0; s < 4; ++s)
        QTest::newRow(qPrintable(holders[static_cast<std::size_t>(s)].folder)) << s;
}

void TestAssets::styleImages()
{
    QFETCH(int, style);
    const Holder& h = holders[static_cast<std::size_t>(style)];
    const Bitmap smallHole(piece(h, 2)), largeHole(piece(h, 5));
    QCOMPARE(smallHole.bytes.size(), 7654);
    QCOMPARE(largeHole.bytes, smallHole.bytes);

    // The hole stands out from the surface and is centred on the part of the image a small cell shows.
    const auto surface = smallHole.rgb(45, 45);
    double sx = 0, sy = 0;
    int outline = 0;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 50; ++x) {
            const auto c = smallHole.rgb(x, y);
            if (std::abs(c[0] + c[1] + c[2] - surface[0] - surface[1] - surface[2]) > 90)
                sx += x, sy += y, ++outline;
        }
    }
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

void TestAssets::pngSizes_data()
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

void TestAssets::pngSizes()
{
    QFETCH(QString, path);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, alpha);
    const QByteArray b = readFile(path);
    QVERIFY(b.size() > 33);
    QCOMPARE(b.left(8), QByteArray("\x89PNG\r\n\x1a\n"));
    QCOMPARE(b.mid(12, 4), QByteArray("IHDR"));
    QCOMPARE(be32(b, 16), static_cast<quint32>(width));
    QCOMPARE(be32(b, 20), static_cast<quint32>(height));
    // Colour type 6 carries an alpha channel: icons and the undo arrow sit on whatever is behind them.
    QCOMPARE(static_cast<quint8>(b[25]) == 6, alpha);
}

void TestAssets::resourceListMatchesFiles()
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

QTEST_GUILESS_MAIN(TestAssets)
#include "test_assets.moc"
