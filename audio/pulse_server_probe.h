#pragma once

#include <QProcessEnvironment>
#include <QStringList>

// Whether a PulseAudio server (or PipeWire's stand-in for it) may be listening, judged by the places its
// clients look for one. Qt Multimedia reaches the sound card only through that server and prints a warning
// when it finds none, so the sound player asks here first. Whenever in doubt the answer is yes.
class PulseServerProbe {
public:
    static bool mayBeRunning();

    // The same judgement from a given environment, client configuration files and system-wide sockets.
    static bool mayBeRunning(const QProcessEnvironment& env, const QStringList& clientConfigs,
        const QStringList& systemSockets);

private:
    static bool namesServer(const QString& clientConfig);
};
