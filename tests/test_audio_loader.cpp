#include "app/audio_loader.h"
#include "core/music/music_device.h"
#include "core/music/silent_audio_devices.h"
#include "core/music/sound_player.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestAudioLoader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loadsTheGamesModule()
    {
        const std::unique_ptr<AudioDevices> audio = AudioLoader::load(QStringLiteral(HOPNIX_PROGRAM_DIR));
        QVERIFY(dynamic_cast<SilentAudioDevices*>(audio.get()) == nullptr);
        QCOMPARE(audio->music().metaObject()->className(), "PcmMusicDevice");
        // Without a sound server, as on a test machine, both stay quiet.
        audio->sound().play(QStringLiteral("/nonexistent/Pop2.wav"));
        audio->music().open(QStringLiteral(HOPNIX_PROGRAM_DIR "/amalia2.mid"));
        audio->music().play();
        QCOMPARE(audio->music().position(), 0);
    }

    void silentWithoutAModuleOfTheGames_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("missing") << QString();
        QTest::newRow("a text file") << QStringLiteral("text");
        QTest::newRow("a pipe") << QStringLiteral("pipe");
        QTest::newRow("a directory") << QStringLiteral("directory");
        QTest::newRow("a library without the entry") << QStringLiteral("library");
    }
    void silentWithoutAModuleOfTheGames()
    {
        QFETCH(QString, what);
        QTemporaryDir dir;
        const QString module = dir.filePath(QLatin1String(AudioLoader::ModuleName));
        QVERIFY(QDir().mkpath(QFileInfo(module).path()));
        if (what == QLatin1String("text")) {
            QFile file(module);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a library\n");
        } else if (what == QLatin1String("pipe")) {
            QCOMPARE(mkfifo(QFile::encodeName(module).constData(), 0600), 0);
        } else if (what == QLatin1String("directory")) {
            QVERIFY(QDir().mkpath(module));
        } else if (what == QLatin1String("library")) {
            QVERIFY(QFile::copy(QStringLiteral("/lib/x86_64-linux-gnu/libz.so.1"), module));
        }
        const std::unique_ptr<AudioDevices> audio = AudioLoader::load(dir.path());
        QVERIFY(dynamic_cast<SilentAudioDevices*>(audio.get()) != nullptr);
        audio->sound().play(QStringLiteral("/nonexistent/Pop2.wav"));
        audio->music().open(QStringLiteral("/nonexistent/amalia2.mid"));
        audio->music().play();
        QCOMPARE(audio->music().position(), 0);
        QVERIFY(!audio->music().atEnd());
    }
};

QTEST_GUILESS_MAIN(TestAudioLoader)
#include "test_audio_loader.moc"
