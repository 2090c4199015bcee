#pragma once

#include <QString>
#include <QStringList>

// Where the General MIDI soundfont the tune is played with is found.
class SoundfontSearch {
public:
    // Debian's General MIDI soundfont first, then any other installed one; never FluidSynth's own default path.
    static QStringList defaultPlaces();
    // The first readable soundfont among `places`: files and directories tried in order, a directory offering
    // its first *.sf2 that is one. Empty when there is none.
    static QString find(const QStringList& places);

private:
    // The file is laid out as a SoundFont 2 file. Others would reach decoders that print what they think of them.
    static bool isSoundfont(const QString& path);
};
