#pragma once

#include <QIODevice>

#include <functional>

// A read-only stream whose bytes come from a function as the reader asks for them, for an audio output
// that pulls. The function returns how many bytes it wrote, at most the number asked for.
class PullStream : public QIODevice {
    Q_OBJECT
public:
    using Source = std::function<qint64(char* data, qint64 maxBytes)>;

    explicit PullStream(Source source, QObject* parent = nullptr);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxBytes) override { return source_(data, maxBytes); }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    Source source_;
};
