#pragma once

#include "audio/renderer/fluid_tune_settings.h"
#include "core/music/rendered_loop.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

// Makes the background tune's audio once, offline, with FluidSynth: one pass of the loop, as interleaved
// 16-bit stereo frames, and the sound that rings on past its end.
class TuneRenderer {
public:
    // Notes released at the loop point ring on at most this long into the next pass.
    static constexpr qint64 MaxTailFrames = RenderedLoop::MaxTailFrames;

    // Takes each block of the pass as it is made; false stops the rendering.
    using PassSink = std::function<bool(const qint16* frames, qint64 count)>;

    // Renders `loopFrames` frames of the pass into `pass`, then returns the tail. Nothing when the soundfont or
    // the tune does not load, or when the sink stopped the rendering.
    static std::optional<std::vector<qint16>> render(const QString& soundfont, const QByteArray& midi,
        qint64 loopFrames, const PassSink& pass);
};
