#pragma once

#include <QByteArray>
#include <QDir>

#include <vector>

// The game's three sound effects, synthesised from sine waves and noise into 16-bit mono wave files.
class SoundSynth {
public:
    static constexpr int SampleRate = 44100;

    // "Change.wav": a soft wooden tick for selecting and deselecting a peg.
    static QByteArray click();
    // "Pop2.wav": a round pop with a falling pitch for a jump.
    static QByteArray pop();
    // "redo.wav": two rising, swelling chirps, a pop played backwards, for taking a move back.
    static QByteArray rewind();

    // Samples in -1..1 as a RIFF/WAVE file (16-byte fmt chunk, 16-bit PCM, one channel).
    static QByteArray wave(const std::vector<double>& samples);
    // Writes the three files into out; false if one could not be written.
    static bool writeAll(const QDir& out);
};
