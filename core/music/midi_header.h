#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// The MThd chunk that opens a Standard MIDI File; the sequencer library gives no access to it.
class MidiHeader {
public:
    int format = 0;
    int trackCount = 0;
    // Ticks per quarter note.
    int division = 0;

    // Nothing for a short, foreign or inconsistent header, or for SMPTE timing (no ticks per quarter).
    static std::optional<MidiHeader> parse(const QByteArray& bytes);

    // Ticks from the start of the song to sixteenth notes, rounded down.
    qint64 sixteenths(qint64 ticks) const { return ticks * 4 / division; }
};
