#pragma once

#include "audio/fluid_tune_settings.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>

class RenderedLoop;

// Makes the background tune's audio once, offline, with FluidSynth: one pass of the loop and the sound that
// rings on past its end. The synthesizer and the soundfont exist only while it runs.
class TuneRenderer {
public:
    // Notes released at the loop point ring on at most this long into the next pass.
    static constexpr qint64 MaxTailFrames = 2 * FluidTuneSettings::SampleRate;

    // Allocates `loop`, renders into it (publishing the pass as it grows, calling firstFrames once the first
    // block is there), then frees the synthesizer and returns its memory to the system. False when the
    // soundfont or the tune does not load, or when `cancel` was set on the way.
    static bool render(const QString& soundfont, const QByteArray& midi, RenderedLoop& loop,
        const std::atomic<bool>& cancel, const std::function<void()>& firstFrames);
};
