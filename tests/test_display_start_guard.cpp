// What a start without a display tells the player, and Qt's start-up messages held back meanwhile.
#include "app/display_start_guard.h"

#include <QTest>

namespace {

QStringList received;

void record(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    received.append(QString::fromLatin1(context.category) + QLatin1Char(':') + text);
}

} // namespace

class TestDisplayStartGuard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsThePlatformFromQtsPluginMessages()
    {
        QCOMPARE(DisplayStartGuard::platformNamed(
                     QStringLiteral("Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.")),
                 QStringLiteral("xcb"));
        QCOMPARE(DisplayStartGuard::platformNamed(QStringLiteral("could not connect to display")), QString());
    }

    void remedyFollowsTheSessionAndThePlugin()
    {
        using Remedy = DisplayStartGuard::Remedy;
        const QStringList xcb{QStringLiteral("xcb")};
        const QStringList both{QStringLiteral("wayland"), QStringLiteral("xcb")};
        // Nothing to connect to.
        QCOMPARE(DisplayStartGuard::remedyFor(xcb, false, true), Remedy::Session);
        QCOMPARE(DisplayStartGuard::remedyFor(both, false, true), Remedy::Session);
        // A Wayland session, but Qt cannot speak Wayland: whatever was tried, the package is what is missing.
        QCOMPARE(DisplayStartGuard::remedyFor(xcb, true, false), Remedy::WaylandPackage);
        QCOMPARE(DisplayStartGuard::remedyFor(both, false, false), Remedy::WaylandPackage);
        // A Wayland session Qt could use but did not try.
        QCOMPARE(DisplayStartGuard::remedyFor(xcb, true, true), Remedy::WaylandPlatform);
        // Wayland tried with its plugin and still no display: the compositor is not there.
        QCOMPARE(DisplayStartGuard::remedyFor(both, true, true), Remedy::Session);
    }

    void failureIsOneLineNamingWhatWasTried()
    {
        const QString line = DisplayStartGuard::failureLine({QStringLiteral("wayland"), QStringLiteral("xcb")},
                                                            DisplayStartGuard::Remedy::WaylandPackage);
        QVERIFY(!line.contains(QLatin1Char('\n')));
        QVERIFY(line.startsWith(QStringLiteral("hopnix: ")));
        QVERIFY(line.contains(QStringLiteral("\"wayland\", \"xcb\"")));
        QVERIFY(line.contains(QStringLiteral("qt6-wayland")));
        QVERIFY(!DisplayStartGuard::failureLine({}, DisplayStartGuard::Remedy::Session).contains(QStringLiteral("\"\"")));
    }

    void heldMessagesArePassedOnOnceTheDisplayIsOpen()
    {
        const QtMessageHandler before = qInstallMessageHandler(&record);
        received.clear();
        {
            DisplayStartGuard guard;
            qWarning("before the display");
            QVERIFY(received.isEmpty());
            guard.opened();
            QCOMPARE(received, QStringList{QStringLiteral("default:before the display")});
            qWarning("after the display");
        }
        QCOMPARE(received.size(), 2);
        qInstallMessageHandler(before);
    }
};

QTEST_MAIN(TestDisplayStartGuard)
#include "test_display_start_guard.moc"
