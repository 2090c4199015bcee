#pragma once

#include <QByteArray>

#include <set>

// The instruments a Standard MIDI File selects, so a synthesiser that loads samples on demand can load
// them before the music starts instead of in the middle of rendering it.
class MidiPrograms {
public:
    struct Preset {
        int bank = 0;
        int program = 0;
        auto operator<=>(const Preset&) const = default;
    };

    // General MIDI channel 10 plays percussion, which soundfonts keep in bank 128.
    static constexpr int PercussionChannel = 9;
    static constexpr int PercussionBank = 128;

    // Every bank and program chosen by a program change in any track; a damaged track counts up to the damage.
    static std::set<Preset> scan(const QByteArray& file);

private:
    static void scanTrack(const QByteArray& file, qsizetype begin, qsizetype end, std::set<Preset>& presets);
};
