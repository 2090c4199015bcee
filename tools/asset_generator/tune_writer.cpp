#include "tune_writer.h"

#include <QtEndian>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

namespace {
constexpr int BarLength = 16;
constexpr int Bars = 41;
constexpr int TurnaroundStart = Bars * BarLength;
constexpr int DrumChannel = 9;

// Bar 0 is an intro of guitar, bass and drums; then A, A', B, A', coda, eight bars each.
// Melody bars are separated by '|'; a note is NAME[#|b]OCTAVE:SIXTEENTHS (C4 is middle C), a rest r:SIXTEENTHS.
const QString OpeningBars = QStringLiteral(
    "D5:4 B4:2 G4:2 B4:4 D5:4 | G5:6 F#5:2 E5:4 D5:4 | E5:4 C5:2 E5:2 G5:4 E5:4 | D5:8 r:4 A4:2 B4:2");
const QString FirstEnding = QStringLiteral(
    "C5:2 B4:2 A4:2 B4:2 D5:4 G5:4 | G5:4 F#5:2 E5:2 B4:4 E5:4 | C5:4 E5:4 D5:4 F#5:4 | G5:8 r:4 B4:2 C5:2");
const QString SecondEnding = QStringLiteral(
    "B4:2 C5:2 D5:2 G5:2 F#5:2 E5:2 D5:4 | E5:4 G5:4 C6:4 B5:2 A5:2 | A5:4 F#5:4 D5:4 E5:2 F#5:2 | G5:12 r:4");
const QString Bridge = QStringLiteral(
    "B4:4 E5:4 G5:6 F#5:2 | E5:4 D5:2 C5:2 G4:8 | B4:4 D5:4 G5:6 A5:2 | F#5:8 D5:8 | "
    "E5:2 F#5:2 G5:4 B5:4 G5:4 | A5:2 G5:2 E5:4 C5:4 E5:4 | C#5:4 E5:4 A5:4 G5:2 E5:2 | F#5:4 E5:4 D5:4 C5:4");
const QString Coda = QStringLiteral(
    "E5:2 G5:2 E5:2 C5:2 E5:4 G5:4 | F#5:2 A5:2 F#5:2 D5:2 F#5:4 A5:4 | B5:4 A5:2 G5:2 F#5:4 D5:4 | E5:6 F#5:2 G5:8 | "
    "E5:2 G5:2 E5:2 C5:2 E5:4 G5:4 | F#5:2 A5:2 D6:4 C6:4 A5:4 | B5:4 G5:4 A5:4 F#5:4 | G5:16");
// One chord per bar, or two for half a bar each (joined by a comma).
const QString Chords = QStringLiteral(
    "G | G G C D G Em Am,D G | G G C D G C D G | Em C G D Em C A7 D7 | G G C D G C D G | C D Bm Em C D G,D G");

constexpr int FirstBridgeBar = 17;
constexpr int FirstRepriseBar = 25;
constexpr int FirstCodaBar = 33;
constexpr int SectionStarts[] = {0, 1, 9, 17, 25, 33};

struct Note {
    int start = 0;
    int length = 0;
    int key = 0;
    int velocity = 0;
};

struct Chord {
    int start = 0;
    int length = 0;
    std::vector<int> pitchClasses;
};

// A track's MIDI events; at one tick, note-offs go before controller changes and those before note-ons.
struct Event {
    int tick = 0;
    int rank = 0;
    QByteArray bytes;
};

std::optional<int> pitchClass(QStringView name)
{
    static const int Naturals[] = {9, 11, 0, 2, 4, 5, 7};
    if (name.isEmpty() || name[0] < u'A' || name[0] > u'G')
        return std::nullopt;
    int pc = Naturals[name[0].unicode() - u'A'];
    if (name.size() > 1 && name[1] == u'#')
        ++pc;
    else if (name.size() > 1 && name[1] == u'b')
        --pc;
    return (pc + 12) % 12;
}

// The melody from bar 1 on; nothing if a token is malformed or a bar does not last exactly one bar.
std::optional<std::vector<Note>> parseMelody(const QString& text, int firstBar)
{
    std::vector<Note> notes;
    int bar = firstBar;
    for (const QString& barText : text.split(u'|')) {
        int at = 0;
        for (const QString& token : barText.split(u' ', Qt::SkipEmptyParts)) {
            const QStringList parts = token.split(u':');
            bool ok = parts.size() == 2;
            const int length = ok ? parts[1].toInt(&ok) : 0;
            if (!ok || length <= 0)
                return std::nullopt;
            if (parts[0] != QLatin1String("r")) {
                const std::optional<int> pc = pitchClass(parts[0]);
                const int octave = parts[0].back().digitValue();
                if (!pc || octave < 0)
                    return std::nullopt;
                // Notes on a beat are a little stronger.
                const int velocity = at % 4 == 0 ? 96 : 84;
                notes.push_back({bar * BarLength + at, length, 12 * (octave + 1) + *pc, velocity});
            }
            at += length;
        }
        if (at != BarLength)
            return std::nullopt;
        ++bar;
    }
    return notes;
}

std::optional<std::vector<Chord>> parseChords(const QString& text)
{
    std::vector<Chord> chords;
    int bar = 0;
    for (const QString& barText : QString(text).remove(u'|').split(u' ', Qt::SkipEmptyParts)) {
        const QStringList names = barText.split(u',');
        const int length = BarLength / static_cast<int>(names.size());
        int start = bar * BarLength;
        for (const QString& name : names) {
            const std::optional<int> root = pitchClass(name);
            if (!root)
                return std::nullopt;
            const bool minor = name.contains(u'm');
            std::vector<int> pcs = {*root, (*root + (minor ? 3 : 4)) % 12, (*root + 7) % 12};
            if (name.endsWith(u'7'))
                pcs.push_back((*root + 10) % 12);
            chords.push_back({start, length, pcs});
            start += length;
        }
        ++bar;
    }
    if (bar != Bars)
        return std::nullopt;
    return chords;
}

// The key of pitch class pc in [low, low + 11].
int placeIn(int pc, int low)
{
    return low + (pc - low % 12 + 12) % 12;
}

int barOf(int sixteenth)
{
    return sixteenth / BarLength;
}

std::vector<Note> bassLine(const std::vector<Chord>& chords)
{
    std::vector<Note> notes;
    for (const Chord& c : chords) {
        const int root = placeIn(c.pitchClasses[0], 40);
        const int fifth = root + 7;
        if (c.length == BarLength) {
            for (const Note& n : {Note{0, 3, root, 100}, Note{6, 2, root, 80}, Note{8, 3, fifth, 92},
                     Note{12, 2, root + 12, 84}, Note{14, 2, fifth, 80}})
                notes.push_back({c.start + n.start, n.length, n.key, n.velocity});
        } else {
            for (const Note& n : {Note{0, 3, root, 100}, Note{4, 2, fifth, 86}, Note{6, 2, root, 80}})
                notes.push_back({c.start + n.start, n.length, n.key, n.velocity});
        }
    }
    // The turnaround walks up the G major scale into the first bar.
    const int run[] = {43, 45, 47, 48, 50, 52, 54};
    for (int i = 0; i < 7; ++i)
        notes.push_back({TurnaroundStart + i, 1, run[i], 84 + 3 * i});
    return notes;
}

// Guitar chords on the off-beats; strings hold the harmony in the bridge and the coda.
std::vector<Note> chordNotes(const std::vector<Chord>& chords, bool sustained)
{
    std::vector<Note> notes;
    for (const Chord& c : chords) {
        const int bar = barOf(c.start);
        const bool held = (bar >= FirstBridgeBar && bar < FirstRepriseBar) || bar >= FirstCodaBar;
        for (int pc : c.pitchClasses) {
            if (sustained && held)
                notes.push_back({c.start, c.length, placeIn(pc, 57), 50});
            for (int at = 2; !sustained && at < c.length; at += 4)
                notes.push_back({c.start + at, 2, placeIn(pc, 55), at % 8 == 6 ? 66 : 58});
        }
    }
    if (!sustained) {
        for (int pc : {2, 6, 9})
            notes.push_back({TurnaroundStart, 3, placeIn(pc, 55), 70});
    }
    return notes;
}

bool isSectionStart(int bar)
{
    return std::find(std::begin(SectionStarts), std::end(SectionStarts), bar) != std::end(SectionStarts);
}

void addDrumBar(std::vector<Note>& notes, int bar)
{
    constexpr int Kick = 36, SideStick = 37, Snare = 38, Hat = 42, Crash = 49, Tambourine = 54;
    const int start = bar * BarLength;
    const bool intro = bar == 0;
    // The last bar of each section ends with a snare roll instead of the fourth beat.
    const bool fill = !intro && isSectionStart(bar + 1);
    for (int at = 0; at < BarLength; at += 2) {
        if (!(fill && at >= 12))
            notes.push_back({start + at, 1, Hat, at % 4 == 0 ? 62 : 46});
    }
    for (int at : {0, 8})
        notes.push_back({start + at, 1, Kick, 100});
    if (!intro)
        notes.push_back({start + 10, 1, Kick, 70});
    notes.push_back({start + 4, 1, intro ? SideStick : Snare, 84});
    if (!fill)
        notes.push_back({start + 12, 1, intro ? SideStick : Snare, 84});
    for (int at = 12; fill && at < BarLength; ++at)
        notes.push_back({start + at, 1, Snare, 60 + 10 * (at - 12)});
    if (bar >= FirstRepriseBar) {
        for (int at : {4, 12})
            notes.push_back({start + at, 1, Tambourine, 56});
    }
    if (isSectionStart(bar))
        notes.push_back({start, 4, Crash, 90});
}

std::vector<Note> drums()
{
    std::vector<Note> notes;
    for (int bar = 0; bar < Bars; ++bar)
        addDrumBar(notes, bar);
    // Toms roll down from high to low over the 7/16 turnaround, growing louder into the crash of bar 0.
    const int toms[] = {50, 50, 48, 48, 47, 45, 43};
    for (int i = 0; i < 7; ++i)
        notes.push_back({TurnaroundStart + i, 1, toms[i], 64 + 7 * i});
    notes.push_back({TurnaroundStart, 1, 36, 96});
    return notes;
}

QByteArray variableLength(quint32 value)
{
    QByteArray bytes(1, static_cast<char>(value & 0x7F));
    while ((value >>= 7) != 0)
        bytes.prepend(static_cast<char>((value & 0x7F) | 0x80));
    return bytes;
}

QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

QByteArray meta(int type, const QByteArray& data)
{
    return bytesOf({0xFF, type}) + variableLength(static_cast<quint32>(data.size())) + data;
}

QByteArray bigEndian(quint32 value, int size)
{
    char buffer[sizeof value];
    qToBigEndian(value, buffer);
    return QByteArray(buffer + sizeof value - size, size);
}

QByteArray chunk(const char* id, const QByteArray& body)
{
    return QByteArray(id) + bigEndian(static_cast<quint32>(body.size()), 4) + body;
}

QByteArray trackChunk(std::vector<Event> events)
{
    events.push_back({TuneWriter::EndSixteenths * TuneWriter::TicksPerSixteenth, 9, meta(0x2F, {})});
    std::stable_sort(events.begin(), events.end(),
        [](const Event& a, const Event& b) { return a.tick != b.tick ? a.tick < b.tick : a.rank < b.rank; });
    QByteArray body;
    int last = 0;
    for (const Event& e : events) {
        body += variableLength(static_cast<quint32>(e.tick - last)) + e.bytes;
        last = e.tick;
    }
    return chunk("MTrk", body);
}

struct Voice {
    const char* name;
    int channel;
    int program;
    int volume;
    int pan;
    int reverb;
};

QByteArray instrumentTrack(const Voice& voice, const std::vector<Note>& notes)
{
    const int ch = voice.channel;
    std::vector<Event> events = {{0, 0, meta(0x03, voice.name)}, {0, 2, bytesOf({0xC0 | ch, voice.program})},
        {0, 2, bytesOf({0xB0 | ch, 7, voice.volume})}, {0, 2, bytesOf({0xB0 | ch, 10, voice.pan})},
        {0, 2, bytesOf({0xB0 | ch, 91, voice.reverb})}};
    for (const Note& n : notes) {
        const int on = n.start * TuneWriter::TicksPerSixteenth;
        // Detached a little, so repeated keys are heard as separate notes.
        const int off = on + n.length * TuneWriter::TicksPerSixteenth - TuneWriter::TicksPerSixteenth / 8;
        events.push_back({on, 3, bytesOf({0x90 | ch, n.key, n.velocity})});
        events.push_back({off, 1, bytesOf({0x80 | ch, n.key, 0})});
    }
    return trackChunk(events);
}

QByteArray conductorTrack()
{
    constexpr quint32 MicrosecondsPerQuarter = 60'000'000 / TuneWriter::BeatsPerMinute;
    const int turnaround = TurnaroundStart * TuneWriter::TicksPerSixteenth;
    // Tempo, 4/4, G major; the turnaround is a bar of 7/16.
    return trackChunk({{0, 0, meta(0x03, "Hopnix")}, {0, 0, meta(0x51, bigEndian(MicrosecondsPerQuarter, 3))},
        {0, 0, meta(0x58, bytesOf({4, 2, 24, 8}))}, {0, 0, meta(0x59, bytesOf({1, 0}))},
        {turnaround, 0, meta(0x58, bytesOf({7, 4, 6, 8}))}});
}

std::vector<Note> doubled(const std::vector<Note>& melody, int fromBar, int velocityDrop)
{
    std::vector<Note> notes;
    for (const Note& n : melody) {
        if (barOf(n.start) >= fromBar)
            notes.push_back({n.start, n.length, n.key, n.velocity - velocityDrop});
    }
    return notes;
}
} // namespace

QByteArray TuneWriter::tune()
{
    const QString melodyText =
        QStringList{OpeningBars, FirstEnding, OpeningBars, SecondEnding, Bridge, OpeningBars, SecondEnding, Coda}.join(
            u'|');
    const std::optional<std::vector<Note>> melody = parseMelody(melodyText, 1);
    const std::optional<std::vector<Chord>> chords = parseChords(Chords);
    if (!melody || !chords || barOf(melody->back().start) != Bars - 1)
        return {};
    constexpr int Tracks = 7;
    QByteArray file = chunk("MThd", bigEndian(1, 2) + bigEndian(Tracks, 2) + bigEndian(Division, 2));
    file += conductorTrack();
    file += instrumentTrack({"Flute", 0, 73, 100, 70, 50}, *melody);
    file += instrumentTrack({"Glockenspiel", 1, 9, 64, 84, 60}, doubled(*melody, FirstRepriseBar, 20));
    file += instrumentTrack({"Guitar", 2, 24, 88, 44, 40}, chordNotes(*chords, false));
    file += instrumentTrack({"Strings", 3, 48, 64, 64, 70}, chordNotes(*chords, true));
    file += instrumentTrack({"Bass", 4, 33, 100, 64, 20}, bassLine(*chords));
    file += instrumentTrack({"Drums", DrumChannel, 0, 90, 64, 40}, drums());
    return file;
}

bool TuneWriter::write(const QDir& out)
{
    const QByteArray bytes = tune();
    QFile file(out.filePath(QStringLiteral("amalia2.mid")));
    return !bytes.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}
