#include "audio/pulse_server_probe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestAudioPulseProbe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findsTheServerWhereClientsLook()
    {
        QProcessEnvironment env;
        env.insert("XDG_RUNTIME_DIR", dir_.filePath("runtime"));
        QVERIFY(QDir().mkpath(dir_.filePath("runtime/pulse")));
        QVERIFY(!PulseServerProbe::mayBeRunning(env, {}, {dir_.filePath("missing")}));
        QVERIFY(PulseServerProbe::mayBeRunning(env, {}, {write("system-native", "")}));
        write("runtime/pulse/native", "");
        QVERIFY(PulseServerProbe::mayBeRunning(env, {}, {}));

        // A server named in the environment or in a moved runtime directory is left to the library to find.
        QProcessEnvironment elsewhere;
        elsewhere.insert("XDG_RUNTIME_DIR", dir_.filePath("none"));
        QVERIFY(!PulseServerProbe::mayBeRunning(elsewhere, {}, {}));
        elsewhere.insert("PULSE_RUNTIME_PATH", dir_.filePath("runtime/pulse"));
        QVERIFY(PulseServerProbe::mayBeRunning(elsewhere, {}, {}));
        elsewhere.remove("PULSE_RUNTIME_PATH");
        elsewhere.insert("PULSE_SERVER", "tcp:sound-box");
        QVERIFY(PulseServerProbe::mayBeRunning(elsewhere, {}, {}));
    }

    void readsTheServerFromClientConfiguration()
    {
        QProcessEnvironment env;
        env.insert("XDG_RUNTIME_DIR", dir_.filePath("none"));
        const QString commented =
            write("commented.conf", "; default-server = tcp:box\n# default-server = x\ndefault-server =\n");
        const QString set = write("set.conf", "autospawn = no\n  default-server = unix:/tmp/pulse.sock\n");
        QVERIFY(!PulseServerProbe::mayBeRunning(env, {commented, dir_.filePath("absent.conf")}, {}));
        QVERIFY(PulseServerProbe::mayBeRunning(env, {commented, set}, {}));
    }

private:
    QString write(const QString& name, const QByteArray& text)
    {
        QFile file(dir_.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        return file.fileName();
    }

    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestAudioPulseProbe)
#include "test_audio_pulse_probe.moc"
