#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// The single-byte character set of the score files. Qt 6 has no dependable codec for it, so the
// 0x80..0x9F block comes from a table and the rest is Latin-1.
class Windows1252 {
public:
    static QString decode(const QByteArray& bytes);
    // Characters outside the set become '?'.
    static QByteArray encode(const QString& text);
    static bool canEncode(QChar c);
};
