#include "audio/soundfont_search.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {
qint64 littleEndian32(const QByteArray& bytes, qsizetype at)
{
    qint64 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes[at + i]);
    return value;
}
} // namespace

QStringList SoundfontSearch::defaultPlaces()
{
    return {QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"), QStringLiteral("/usr/share/sounds/sf2"),
        QStringLiteral("/usr/share/soundfonts")};
}

QString SoundfontSearch::find(const QStringList& places)
{
    for (const QString& entry : places) {
        const QFileInfo info(entry);
        if (info.isFile() && isSoundfont(entry))
            return info.absoluteFilePath();
        if (!info.isDir())
            continue;
        const QFileInfoList fonts =
            QDir(entry).entryInfoList({QStringLiteral("*.sf2")}, QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo& font : fonts) {
            if (isSoundfont(font.absoluteFilePath()))
                return font.absoluteFilePath();
        }
    }
    return {};
}

bool SoundfontSearch::isSoundfont(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(12);
    if (head.size() != 12 || !head.startsWith("RIFF") || head.mid(8) != "sfbk"
        || littleEndian32(head, 4) + 8 != file.size())
        return false;
    // The three lists a SoundFont 2 file is made of, laid end to end to the end of the file.
    QSet<QByteArray> lists;
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(12);
        if (chunk.size() != 12 || !chunk.startsWith("LIST"))
            return false;
        const qint64 next = file.pos() - 4 + littleEndian32(chunk, 4);
        if (next > file.size() || !file.seek(next))
            return false;
        lists.insert(chunk.mid(8));
    }
    return lists == QSet<QByteArray>{"INFO", "sdta", "pdta"};
}
