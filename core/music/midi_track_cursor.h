#pragma once

#include <QByteArray>
#include <QtGlobal>

// Reads the bytes of one track of a Standard MIDI File in order; every read past the track's end fails.
class MidiTrackCursor {
public:
    MidiTrackCursor(const QByteArray& bytes, qsizetype begin, qsizetype end) : bytes_(bytes), at_(begin), end_(end)
    {
    }

    bool atEnd() const { return at_ >= end_; }
    // The next byte, or -1 at the end.
    int peek() const { return at_ < end_ ? static_cast<quint8>(bytes_[at_]) : -1; }
    int next() { return at_ < end_ ? static_cast<quint8>(bytes_[at_++]) : -1; }

    // A variable-length quantity of at most four bytes.
    bool number(qint64& value);
    bool skip(qint64 count);

private:
    const QByteArray& bytes_;
    qsizetype at_;
    const qsizetype end_;
};
