#pragma once

#include <QByteArray>
#include <QtEndian>

#include <initializer_list>

// Standard MIDI Files put together byte by byte, for tests.
namespace MidiBuilder {

// The low `size` bytes of `value`, most significant first.
inline QByteArray bigEndian(quint32 value, int size)
{
    const quint32 big = qToBigEndian(value);
    return QByteArray(reinterpret_cast<const char*>(&big) + 4 - size, size);
}

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// A delta time as a variable-length quantity.
inline QByteArray delta(quint32 ticks)
{
    QByteArray out(1, static_cast<char>(ticks & 0x7F));
    for (ticks >>= 7; ticks > 0; ticks >>= 7)
        out.prepend(static_cast<char>(0x80 | (ticks & 0x7F)));
    return out;
}

inline QByteArray tempo(quint32 ticks, quint32 microsPerQuarter)
{
    return delta(ticks) + bytes({0xFF, 0x51, 0x03}) + bigEndian(microsPerQuarter, 3);
}

inline QByteArray endOfTrack(quint32 ticks)
{
    return delta(ticks) + bytes({0xFF, 0x2F, 0x00});
}

// `length` other than 6 makes a header chunk of another size, as damaged or later files have.
inline QByteArray header(int format, int tracks, int division, quint32 length = 6)
{
    return "MThd" + bigEndian(length, 4) + bigEndian(quint32(format), 2) + bigEndian(quint32(tracks), 2)
        + bigEndian(quint32(division), 2);
}

inline QByteArray track(const QByteArray& events)
{
    return "MTrk" + bigEndian(quint32(events.size()), 4) + events;
}

// Piano at 120 beats a minute, 96 ticks a quarter: a quarter's rest, then a scale of six quarter notes, the
// last one held to the end of the track (32 sixteenths, 4 seconds), far short of the loop point.
inline QByteArray shortTune()
{
    QByteArray events = tempo(0, 500000) + bytes({0x00, 0xC0, 0x00});
    quint32 wait = 96;
    for (int key : {60, 62, 64, 65, 67, 69}) {
        events += delta(wait) + bytes({0x90, key, 100});
        events += delta(key == 69 ? 192 : 96) + bytes({0x80, key, 0});
        wait = 0;
    }
    events += endOfTrack(0);
    return header(0, 1, 96) + track(events);
}

} // namespace MidiBuilder
