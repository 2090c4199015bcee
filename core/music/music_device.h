#pragma once

#include <QObject>
#include <QString>

// The MIDI sequencer the background tune runs on, driven by command words.
class MusicDevice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // "open": loads the file; on any failure the device stays closed and every command does nothing.
    virtual void open(const QString& path) = 0;
    // "play": plays on from the current position.
    virtual void play() = 0;
    // "stop": halts and keeps the position.
    virtual void stop() = 0;
    // "prev": back to the start; position() reads 0 at once.
    virtual void prev() = 0;
    // Current position in sixteenth notes from the start of the song.
    virtual qint64 position() const = 0;
    // True once playback has run past the song's last event.
    virtual bool atEnd() const = 0;

Q_SIGNALS:
    // A few times a second while the open file plays; the loop only needs it then.
    void statusUpdate();
};
