#pragma once

#include <QByteArray>
#include <QDir>

// "amalia2.mid": the background tune, a cheerful piece in G major for flute, glockenspiel, guitar,
// strings, bass and drums, written as a General MIDI file from the note data in tune_writer.cpp.
// The music lasts exactly to the loop point, so the repeat runs straight on into the opening bar.
class TuneWriter {
public:
    // Ticks per quarter note.
    static constexpr int Division = 480;
    static constexpr int TicksPerSixteenth = Division / 4;
    static constexpr int BeatsPerMinute = 132;
    // 41 bars of 4/4 and a 7/16 drum turnaround that leads back to the first bar.
    static constexpr int MusicSixteenths = 663;
    // The end of the tracks lies one beat after the music, so the loop point is reached before the player stops.
    static constexpr int EndSixteenths = MusicSixteenths + 4;

    // The file's bytes; empty if the note data is inconsistent (a bar that does not add up).
    static QByteArray tune();
    static bool write(const QDir& out);
};
