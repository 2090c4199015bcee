#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>

class RenderedLoop;

// Renders the tune in a short-lived process of its own, the renderer program installed beside the game. The
// synthesizer, the soundfont and the memory they take never enter the game, and quitting stops the rendering
// at once. The tune goes to the helper as a file on its standard input; the pass and then the tail come back
// as raw frames on its standard output.
class TuneRenderProcess {
public:
    // The renderer's file name in the game's directory.
    static constexpr const char* ProgramName = "hopnix-render-tune";

    // Starts `program` as the helper and reads what it renders into `loop`, publishing the pass as it arrives
    // and calling firstFrames once the first frames are there. False when the helper fails, sends too little or
    // too much, or when `cancel` was set on the way (the helper is then killed).
    static bool render(const QString& program, const QString& soundfont, const QByteArray& midi, RenderedLoop& loop,
        const std::atomic<bool>& cancel, const std::function<void()>& firstFrames);
};
