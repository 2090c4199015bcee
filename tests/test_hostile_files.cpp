// Every file the game reads, replaced by a pipe nobody writes to or by a link to an endless device. Each read
// runs in a child process of this test, with a memory limit and a deadline: a read that blocks, runs away
// or crashes fails the test instead of stalling it.
#include "core/settings/qt_settings_store.h"
#include "core/settings/settings_keys.h"
#include "audio/pcm_music_device.h"
#include "audio/soundfont_search.h"
#include "audio/pulse_server_probe.h"
#include "core/music/wave_header.h"
#include "core/scores/score_store.h"
#include "windows/help_window.h"
#include "support/pulled_pcm_output.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <cstdio>
#include <memory>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const QString Assets = QStringLiteral(HOPNIX_SOURCE_DIR "/assets/");

struct Reader {
    QString name;
    // Where the file goes below the child's directory.
    QString file;
    // What a regular file holds, and what the child reports for it and for anything else.
    QByteArray contents;
    QString readResult;
    QString refusedResult;
};

QByteArray asset(const char* name)
{
    QFile file(Assets + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<Reader> readers()
{
    // The three sounds are read by the same reader.
    return {
        {"scores", "S6hs.hsl", "Anna\r\n 1 \r\n .5 \r\n", "1", "0"},
        {"tune", "amalia2.mid", asset("amalia2.mid"), "1", "0"},
        {"sound", "Change.wav", asset("Change.wav"), "1", "0"},
        {"help", "PegHelp.rtf", "{\\rtf1 Help}", "Help", ""},
        {"settings", "Hopnix/HKEY_CURRENT_CONFIG.ini", "[Display%20]\n%20Settings\\DpiLogicalx=120\n", "120", "96"},
        {"sound server", "pulse/client.conf", "default-server = elsewhere\n", "1", "0"},
    };
}

// The child's side: reads the file as the game does and prints what it got.
QString readInChild(const QString& reader, const QString& dir)
{
    if (reader == "scores") {
        ScoreStore store(dir, dir + QStringLiteral("/user"));
        store.loadScoreTable(5);
        return QString::number(store.table(5).count());
    }
    if (reader == "tune") {
        PcmMusicDevice device(std::make_unique<PulledPcmOutput>(44100), SoundfontSearch::defaultPlaces(),
            QStringLiteral(HOPNIX_RENDERER));
        device.open(dir + QStringLiteral("/amalia2.mid"));
        return QString::number(device.waitUntilRendered());
    }
    if (reader == "sound")
        return QString::number(WaveHeader::readFile(dir + QStringLiteral("/Change.wav")).has_value());
    if (reader == "help")
        return HelpWindow(dir + QStringLiteral("/PegHelp.rtf")).textBox->toPlainText();
    if (reader == "settings")
        return QtSettingsStore().value(SettingsKeys::DpiLogicalx, SettingsKeys::DpiLogicalxDefault);
    QProcessEnvironment env;
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir);
    return QString::number(PulseServerProbe::mayBeRunning(env, {dir + QStringLiteral("/pulse/client.conf")}, {}));
}

struct Case {
    QString label;
    QString expected;
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
};

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void noFileTheGameReadsCanBlockOrExhaustIt()
    {
        QTemporaryDir root;
        const QStringList kinds({"regular", "pipe", "link to /dev/zero"});
        std::vector<Case> cases;
        for (const Reader& reader : readers()) {
            QVERIFY2(!reader.contents.isEmpty(), qPrintable(reader.name));
            for (const QString& kind : kinds) {
                const QString dir = root.filePath(QString::number(cases.size()));
                const QString path = dir + QLatin1Char('/') + reader.file;
                QVERIFY(QDir().mkpath(QFileInfo(path).path()));
                if (kind == "regular") {
                    QFile file(path);
                    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(reader.contents) == reader.contents.size());
                } else if (kind == "pipe") {
                    QCOMPARE(::mkfifo(qPrintable(path), 0600), 0);
                } else {
                    QVERIFY(QFile::link(kind.mid(8), path));
                }
                Case& started = cases.emplace_back(Case{reader.name + ", " + kind, kind == "regular" ? reader.readResult : reader.refusedResult});
                QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
                env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir);
#if defined(__SANITIZE_ADDRESS__)
                // The address sanitizer reserves terabytes of address space; its own limit watches what is used.
                env.insert(QStringLiteral("ASAN_OPTIONS"), env.value(QStringLiteral("ASAN_OPTIONS")) + ":hard_rss_limit_mb=1024");
#else
                started.process->setChildProcessModifier([] {
                    // Far more than any of these reads needs, far less than an endless device would fill.
                    const rlimit memory{rlim_t{1} << 30, rlim_t{1} << 30};
                    ::setrlimit(RLIMIT_AS, &memory);
                });
#endif
                started.process->setProcessEnvironment(env);
                started.process->start(QCoreApplication::applicationFilePath(), {"--read", reader.name, dir});
            }
        }
        // All run at once under one deadline, so even a build where every read hangs fails in time.
        const QDeadlineTimer deadline(60000);
        QStringList failures;
        for (Case& c : cases) {
            QProcess& child = *c.process;
            const bool finished = child.waitForFinished(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)));
            const QString got = QString::fromUtf8(child.readAllStandardOutput());
            if (!finished)
                child.kill();
            if (!finished || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 || got != c.expected)
                failures << c.label + ": read \"" + got.left(40) + "\", not \"" + c.expected + "\", or hung or crashed";
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    }
};

int main(int argc, char* argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--read") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        const QString reader = QString::fromUtf8(argv[2]);
        // Only the help window needs widgets; the rest stay light, as many run at once.
        const std::unique_ptr<QCoreApplication> app =
            reader == "help" ? std::make_unique<QApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
        const QByteArray result = readInChild(reader, QString::fromLocal8Bit(argv[3])).toUtf8();
        std::fwrite(result.constData(), 1, static_cast<std::size_t>(result.size()), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    TestHostileFiles test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_hostile_files.moc"
