// Compares the generator's fresh output with the committed assets by what they decode to, so a
// new zlib or PNG writer cannot fail the check while a changed picture, sound or tune does.
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>

namespace {

// Pictures are painted with antialiasing and floating point: a rasteriser update may move an edge
// pixel a little, a changed picture moves far more.
constexpr int ChannelTolerance = 8;
// Sounds are synthesised in floating point and rounded once: the maths library may shift a sample by one step.
constexpr int SampleTolerance = 1;
constexpr int WaveHeaderSize = 44;

QString comparePictures(const QString& generated, const QString& committed)
{
    const QImage a = QImage(generated).convertToFormat(QImage::Format_ARGB32);
    const QImage b = QImage(committed).convertToFormat(QImage::Format_ARGB32);
    if (a.isNull() || b.isNull() || a.size() != b.size())
        return QStringLiteral("does not decode to a picture of the same size");
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            for (int shift : {0, 8, 16, 24})
                if (std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)) > ChannelTolerance)
                    return QStringLiteral("pixel %1,%2 is #%3, expected #%4")
                        .arg(x).arg(y).arg(q, 8, 16, QLatin1Char('0')).arg(p, 8, 16, QLatin1Char('0'));
        }
    return {};
}

QString compareSounds(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size() || a.size() < WaveHeaderSize || a.left(WaveHeaderSize) != b.left(WaveHeaderSize))
        return QStringLiteral("differs in its format or length");
    for (qsizetype i = WaveHeaderSize; i + 1 < a.size(); i += 2) {
        const int s = qFromLittleEndian<qint16>(a.constData() + i);
        const int t = qFromLittleEndian<qint16>(b.constData() + i);
        if (std::abs(s - t) > SampleTolerance)
            return QStringLiteral("sample %1 is %2, expected %3").arg((i - WaveHeaderSize) / 2).arg(t).arg(s);
    }
    return {};
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Anything else (the tune) is written with integer arithmetic only: byte for byte.
QString compare(const QString& generated, const QString& committed)
{
    if (!QFile::exists(committed))
        return QStringLiteral("is missing");
    if (generated.endsWith(QLatin1String(".png")) || generated.endsWith(QLatin1String(".bmp")))
        return comparePictures(generated, committed);
    const QByteArray a = contents(generated);
    const QByteArray b = contents(committed);
    if (generated.endsWith(QLatin1String(".wav")))
        return compareSounds(a, b);
    return a == b ? QString() : QStringLiteral("differs");
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: compare_assets GENERATED_DIR ASSETS_DIR\n");
        return 2;
    }
    const QString generated = QString::fromLocal8Bit(argv[1]);
    int failures = 0;
    int compared = 0;
    for (QDirIterator it(generated, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); ++compared) {
        const QString relative = it.next().mid(generated.size() + 1);
        const QString problem = compare(it.filePath(), QString::fromLocal8Bit(argv[2]) + QLatin1Char('/') + relative);
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "assets/%s %s\n", qPrintable(relative), qPrintable(problem));
            ++failures;
        }
    }
    if (compared == 0)
        std::fprintf(stderr, "the generator wrote nothing\n");
    return failures == 0 && compared > 0 ? 0 : 1;
}
