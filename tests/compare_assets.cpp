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

bool samePicture(const QString& generated, const QString& committed)
{
    const QImage a = QImage(generated).convertToFormat(QImage::Format_ARGB32);
    const QImage b = QImage(committed).convertToFormat(QImage::Format_ARGB32);
    if (a.isNull() || a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            for (int shift : {0, 8, 16, 24})
                if (std::abs(int((a.pixel(x, y) >> shift) & 0xFF) - int((b.pixel(x, y) >> shift) & 0xFF))
                    > ChannelTolerance)
                    return false;
    return true;
}

bool sameSound(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size() || a.size() < WaveHeaderSize || a.left(WaveHeaderSize) != b.left(WaveHeaderSize))
        return false;
    for (qsizetype i = WaveHeaderSize; i + 1 < a.size(); i += 2)
        if (std::abs(qFromLittleEndian<qint16>(a.constData() + i) - qFromLittleEndian<qint16>(b.constData() + i))
            > SampleTolerance)
            return false;
    return true;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Anything else (the tune) is written with integer arithmetic only: byte for byte.
bool same(const QString& generated, const QString& committed)
{
    if (!QFile::exists(committed))
        return false;
    if (generated.endsWith(QLatin1String(".png")) || generated.endsWith(QLatin1String(".bmp"))
        || generated.endsWith(QLatin1String(".ppm")))
        return samePicture(generated, committed);
    if (generated.endsWith(QLatin1String(".wav")))
        return sameSound(contents(generated), contents(committed));
    return contents(generated) == contents(committed);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3)
        return 2;
    const QString generated = QString::fromLocal8Bit(argv[1]);
    int failures = 0;
    int compared = 0;
    for (QDirIterator it(generated, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); ++compared) {
        const QString relative = it.next().mid(generated.size() + 1);
        if (!same(it.filePath(), QString::fromLocal8Bit(argv[2]) + QLatin1Char('/') + relative)) {
            std::fprintf(stderr, "assets/%s is missing or differs from the generator's output\n", qPrintable(relative));
            ++failures;
        }
    }
    return failures == 0 && compared > 0 ? 0 : 1;
}
