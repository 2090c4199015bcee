// The committed piece images, window pictures and icons: the names and sizes the program loads,
// and that the pieces show what the board needs.
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

namespace {

const QString assets = QStringLiteral(HOPNIX_SOURCE_DIR "/assets/");

// Per style: the small selected peg, peg and hole, then the large ones.
const QStringList pieces = QStringLiteral(
    "swirl/SMarked swirl/SPegged swirl/SUnPegged swirl/Marked swirl/PeggedImage swirl/UnPeggedImage "
    "slate/SMarked slate/SPegged slate/SUnPegged slate/Marked slate/Pegged slate/UnPegged "
    "aqua/SMarked aqua/SPegged aqua/SUnpegged aqua/Marked aqua/Pegged aqua/UnPegged "
    "cocktail/SMarked cocktail/SPegged cocktail/SUnPegged cocktail/Marked cocktail/Pegged cocktail/UnPegged")
    .split(QLatin1Char(' '));

QImage piece(qsizetype index)
{
    return QImage(assets + QStringLiteral("pieces/%1.bmp").arg(pieces[index]));
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
            {"pictures/splash.ppm", {{296, 170}, false}}, {"pictures/panel.png", {{97, 393}, false}},
            {"pictures/undo.png", {{16, 16}, true}}, {"pictures/highscore_panel.png", {{281, 185}, false}},
            {"icons/lastpeg-32.png", {{32, 32}, true}}, {"icons/help-32.png", {{32, 32}, true}}};
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
            pictures.insert(QStringLiteral("icons/hopnix-%1.png").arg(size), {{size, size}, true});
        for (const QString& name : pieces)
            pictures.insert(QStringLiteral("pieces/%1.bmp").arg(name), {{50, 50}, false});
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
        for (qsizetype base = 0; base < pieces.size(); base += 3) {
            const QImage marked = piece(base), pegged = piece(base + 1), hole = piece(base + 2);
            const bool small = base % 6 == 0;
            int apart[3] = {};
            for (int y = 0; y < 50; ++y)
                for (int x = 0; x < 50; ++x) {
                    const QRgb m = marked.pixel(x, y), p = pegged.pixel(x, y), o = hole.pixel(x, y);
                    if (small && (x >= 41 || y >= 41))
                        QVERIFY2(difference(m, o) <= 24 && difference(p, o) <= 24, qPrintable(pieces[base]));
                    apart[0] += difference(m, p) > 80;
                    apart[1] += difference(p, o) > 80;
                    apart[2] += difference(m, o) > 80;
                }
            QVERIFY2(*std::min_element(apart, apart + 3) > 300, qPrintable(pieces[base]));
        }
    }
};

QTEST_GUILESS_MAIN(TestAssets)
#include "test_assets.moc"
