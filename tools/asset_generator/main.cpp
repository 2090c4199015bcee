// Writes the game's art, sounds and tune into the given assets directory.
// Deterministic: the same source always gives the same bytes.
#include "piece_art.h"
#include "sound_synth.h"
#include "tune_writer.h"
#include "window_art.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: hopnix-assetgen ASSETS_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    ok = PieceArt::writeAll(out) && ok;
    ok = WindowArt::writeAll(out) && ok;
    ok = SoundSynth::writeAll(out) && ok;
    ok = TuneWriter::write(out) && ok;
    return ok ? 0 : 1;
}
