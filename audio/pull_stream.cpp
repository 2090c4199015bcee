#include "audio/pull_stream.h"

PullStream::PullStream(Source source, QObject* parent) : QIODevice(parent), source_(std::move(source))
{
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}
