#include "core/music/music_loop.h"
#include "core/music/loop_timing.h"
#include "core/music/midi_tempo_map.h"

#include <cstddef>
#include <cstdint>

// Any bytes must read without a crash or an overflow, and a timing that comes out must hold together.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<MidiTempoMap> map = MidiTempoMap::parse(bytes);
    if (!map)
        return 0;
    const std::optional<LoopTiming> timing = LoopTiming::forTune(*map, MusicLoop::LoopPoint);
    if (!timing)
        return 0;
    const qint64 loop = timing->loopFrames();
    if (loop <= 0 || loop > LoopTiming::MaxLoopSeconds * LoopTiming::SampleRate + 1)
        __builtin_trap();
    // The pass ends where the loop point (or the tune's end) is reached, and not a frame earlier.
    const qint64 last = timing->sixteenthsAt(loop - 1);
    const qint64 end = timing->sixteenthsAt(loop);
    if (last > end || (!timing->endsWithSong() && (last >= MusicLoop::LoopPoint || end < MusicLoop::LoopPoint)))
        __builtin_trap();
    (void)timing->sixteenthsAt(4 * loop + 12345);
    return 0;
}
