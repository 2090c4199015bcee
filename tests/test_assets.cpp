// The committed piece images, window pictures and icons: the names and sizes the program loads,
// and that the pieces show what the board needs.
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <array>
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

QString piece(const Holder& h, std::size_t index)
{
    return QStringLiteral("pieces/%1/%2.bmp").arg(h.folder, h.names[index]);
}

int difference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
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
            for (std::size_t i = 0; i < h.names.size(); ++i)
                pictures.insert(piece(h, i), {{50, 50}, false});
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

    // A small cell shows only the top-left 41 x 41 pixels, and there the selected peg, the peg and the hole
    // each stand out from the others at a glance.
    void piecesShowWhatTheBoardNeeds()
    {
        for (const Holder& h : holders)
            for (const std::size_t base : {0, 3}) {
                const QImage marked(assets + piece(h, base)), pegged(assets + piece(h, base + 1));
                const QImage hole(assets + piece(h, base + 2));
                int apart[3] = {};
                for (int y = 0; y < 50; ++y)
                    for (int x = 0; x < 50; ++x) {
                        const QRgb m = marked.pixel(x, y), p = pegged.pixel(x, y), o = hole.pixel(x, y);
                        if (!base && (x >= 41 || y >= 41))
                            QVERIFY2(difference(m, o) <= 24 && difference(p, o) <= 24, qPrintable(h.folder));
                        apart[0] += difference(m, p) > 80;
                        apart[1] += difference(p, o) > 80;
                        apart[2] += difference(m, o) > 80;
                    }
                QVERIFY2(*std::min_element(apart, apart + 3) > 300, qPrintable(piece(h, base)));
            }
    }
};

QTEST_GUILESS_MAIN(TestAssets)
#include "test_assets.moc"
