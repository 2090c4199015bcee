// What a start without a display tells the player, and Qt's start-up messages held back meanwhile.
#include "app/display_start_guard.h"

#include <QTest>
#include <tuple>
#include <vector>

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
    void remedyFollowsTheSessionAndThePlugin()
    {
        using Remedy = DisplayStartGuard::Remedy;
        const QStringList xcb{QStringLiteral("xcb")};
        const QStringList both{QStringLiteral("wayland"), QStringLiteral("xcb")};
        // Tried, Wayland session, Wayland plugin present: nothing to connect to; Qt cannot speak Wayland,
        // whatever was tried; a Wayland session Qt could use but did not try; Wayland tried and still no display.
        const std::vector<std::tuple<QStringList, bool, bool, Remedy>> cases{
            {xcb, false, true, Remedy::Session}, {both, false, true, Remedy::Session},
            {xcb, true, false, Remedy::WaylandPackage}, {both, false, false, Remedy::WaylandPackage},
            {xcb, true, true, Remedy::WaylandPlatform}, {both, true, true, Remedy::Session}};
        for (const auto& [tried, session, plugin, remedy] : cases)
            QCOMPARE(DisplayStartGuard::remedyFor(tried, session, plugin), remedy);
        QCOMPARE(DisplayStartGuard::platformNamed(
                     QStringLiteral("Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.")),
                 QStringLiteral("xcb"));
        QCOMPARE(DisplayStartGuard::platformNamed(QStringLiteral("could not connect to display")), QString());
    }

    void failureIsOneLineNamingWhatWasTried()
    {
        const QString line = DisplayStartGuard::failureLine({QStringLiteral("wayland"), QStringLiteral("xcb")},
                                                            DisplayStartGuard::Remedy::WaylandPackage);
        QVERIFY(!line.contains(QLatin1Char('\n')) && line.startsWith(QStringLiteral("hopnix: ")));
        QVERIFY(line.contains(QStringLiteral("\"wayland\", \"xcb\"")) && line.contains(QStringLiteral("qt6-wayland")));
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
