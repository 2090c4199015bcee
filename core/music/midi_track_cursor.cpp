#include "core/music/midi_track_cursor.h"

bool MidiTrackCursor::number(qint64& value)
{
    value = 0;
    for (int i = 0; i < 4; ++i) {
        const int b = next();
        if (b < 0)
            return false;
        value = (value << 7) | (b & 0x7F);
        if ((b & 0x80) == 0)
            return true;
    }
    return false;
}

bool MidiTrackCursor::skip(qint64 count)
{
    if (count < 0 || count > end_ - at_)
        return false;
    at_ += static_cast<qsizetype>(count);
    return true;
}
