#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>
#include <vector>

// When the ticks of a Standard MIDI File sound: its division, the tempo changes of all its tracks
// and the tick of its last event.
class MidiTempoMap {
public:
    struct Change {
        qint64 tick = 0;
        // Microseconds per quarter note from this tick on.
        qint64 microsPerQuarter = 0;
    };

    // A file that sets no tempo plays at 120 beats a minute.
    static constexpr qint64 DefaultMicrosPerQuarter = 500000;

    // Nothing for a file whose header or tracks are damaged, or that has no track at all.
    static std::optional<MidiTempoMap> parse(const QByteArray& file);

    int division() const { return division_; }
    // The last event of the longest track, its end-of-track mark included.
    qint64 endTick() const { return endTick_; }
    // In tick order, the first at tick 0.
    const std::vector<Change>& changes() const { return changes_; }

private:
    bool readTrack(const QByteArray& file, qsizetype begin, qsizetype end);

    int division_ = 0;
    qint64 endTick_ = 0;
    std::vector<Change> changes_;
};
