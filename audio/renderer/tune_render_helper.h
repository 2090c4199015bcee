#pragma once

// The whole work of the tune renderer program: the tune arrives as a MIDI file on standard input, the pass
// and then its tail leave as raw 16-bit stereo frames on standard output. Arguments: the soundfont's path and
// the pass's length in frames. The game starts it, reads what it sends and kills it whenever it likes.
class TuneRenderHelper {
public:
    // The program's exit code: 0 once everything was written.
    static int run(int argc, char** argv);
};
