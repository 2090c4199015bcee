// Start-up, the menus and window state per game state, board choice, styles and leaving the game.
#include "ui/board_view.h"
#include "windows/main_window.h"
#include "windows/main_menu.h"
#include "windows/status_panel.h"
#include "core/board/board_layout.h"
#include "ui/picture_cell.h"
#include "ui/piece_images.h"
#include "support/main_window_harness.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

QString shown(const QAction* action)
{
    return action->text() + (action->isChecked() ? QStringLiteral(" *") : QString())
        + (action->isEnabled() ? QString() : QStringLiteral(" (grey)"));
}

// The whole menu tree as the player sees it, one line per menu, then what the window shows of the game.
QStringList seen(const MainWindow& form)
{
    QStringList lines;
    for (const QAction* top : form.menuBar()->actions()) {
        QStringList items;
        for (const QAction* item : top->menu()->actions())
            items.append(item->isSeparator() ? QStringLiteral("-") : shown(item));
        lines.append(shown(top) + QStringLiteral(": ") + items.join(QStringLiteral(" | ")));
    }
    const auto onOff = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
    lines.append(QStringLiteral("board %1, clicks %2, paused box %3, clock %4, undo %5")
                     .arg(onOff(form.boardView().isVisible()), onOff(form.boardView().isEnabled()),
                          onOff(form.pausedBox().isVisible()), onOff(form.clockTimer().isActive()),
                          onOff(form.panel().undoButton->isEnabled())));
    return lines;
}

bool samePicture(const QPixmap& a, const QPixmap& b)
{
    return a.toImage() == b.toImage();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // At start-up every hole shows a Cocktail peg, small unless the display setting says 120; the tune is
    // opened, nothing plays.
    void startUpState()
    {
        QVERIFY(!samePicture(PieceImages::load(4, true).pegPicture, PieceImages::load(4, false).pegPicture));
        for (const auto& [setting, small] : {std::pair{"", true}, {"120", false}, {"144", true}}) {
            MainWindowHarness h{*setting ? QLatin1String(setting) : QString()};
            QVERIFY(h.form().isVisible() && h.form().panel().pegsLeftValue->text().isEmpty());
            QVERIFY(samePicture(h.form().boardView().cell(3, 4)->picture(), PieceImages::load(4, small).pegPicture));
            QCOMPARE(h.music.commands, QStringList{QStringLiteral("open ") + h.dir() + QStringLiteral("/amalia2.mid")});
            QVERIFY(h.sound.played.isEmpty());
        }
    }

    void menusAndWindowFollowTheGameState()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        MainMenu& m = form.menu();
        const QStringList startUp{
            "&Game: &New Game | &End Game (grey) | Pause Game (grey) | Show Last Peg | E&xit",
            "&Boards: Classic * | European 1 | European 2 | Square 7x7 | Square 6x6",
            "&High Scores: Classic | European 1 | European 2 | Square 7x7 | Square 6x6",
            "S&tyle: Swirl | Slate | Aqua | Cocktail *",
            "&Sound: On * | Off",
            "&Music: On * | Off",
            "&Help: Hopnix Help | - | About Hopnix",
            "board on, clicks off, paused box off, clock off, undo off",
        };
        const auto changed = [](QStringList lines, std::initializer_list<std::pair<int, const char*>> changes) {
            for (const auto& [line, text] : changes)
                lines[line] = QLatin1String(text);
            return lines;
        };
        const QStringList chosen = changed(startUp, {
            {1, "&Boards: Classic | European 1 | European 2 * | Square 7x7 | Square 6x6"},
            {2, "&High Scores: Classic | European 1 | European 2 | Square 7x7 * | Square 6x6"},
            {3, "S&tyle: Swirl * | Slate | Aqua | Cocktail"},
            {4, "&Sound: On | Off *"}});
        const QStringList playing = changed(chosen, {
            {0, "&Game: &New Game | &End Game | Pause Game | Show Last Peg | E&xit"},
            {1, "&Boards (grey): Classic | European 1 | European 2 * | Square 7x7 | Square 6x6"},
            {3, "S&tyle (grey): Swirl * | Slate | Aqua | Cocktail"},
            {7, "board on, clicks on, paused box off, clock on, undo on"}});
        const QStringList paused = changed(playing, {
            {0, "&Game: &New Game (grey) | &End Game | Pause Game * | Show Last Peg | E&xit"},
            {7, "board off, clicks off, paused box on, clock off, undo on"}});
        const QStringList musicOff = changed(chosen, {{5, "&Music: On | Off *"}});

        const std::vector<std::tuple<const char*, std::function<void()>, QStringList>> steps{
            {"start-up", [] {}, startUp},
            {"choices between games", [&] {
                 m.boardItems[2]->trigger();
                 m.styleItems[0]->trigger();
                 m.highScoreItems[3]->trigger();
                 m.soundOffItem->trigger();
             }, chosen},
            {"a jump into a game", [&] {
                 m.newGameItem->trigger();
                 h.play({{5, 4, 3, 4}});
             }, playing},
            {"pause", [&] { m.pauseItem->trigger(); }, paused},
            {"go on", [&] { m.pauseItem->trigger(); }, playing},
            {"End Game while paused", [&] {
                 m.pauseItem->trigger();
                 m.endGameItem->trigger();
             }, chosen},
            {"music off", [&] { m.musicOffItem->trigger(); }, musicOff},
        };
        for (const auto& [name, act, expected] : steps) {
            act();
            const QStringList actual = seen(form);
            for (qsizetype i = 0; i < expected.size(); ++i)
                QVERIFY2(actual.value(i) == expected[i], qPrintable(QStringLiteral("after %1: \"%2\", expected \"%3\"")
                                                                        .arg(QLatin1String(name), actual.value(i), expected[i])));
            QCOMPARE(actual.size(), expected.size());
        }
    }

    void exitAsksFirstTheCloseBoxDoesNot()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        QSignalSpy closed(&form, &MainWindow::closed);
        form.newGame();
        form.menu().exitItem->trigger();
        QCOMPARE(h.dialogs.questions, QStringList{QStringLiteral("Hopnix33|Are you sure you want to exit Hopnix")});
        QCOMPARE(closed.count(), 0);
        QVERIFY(form.isVisible() && form.clockTimer().isActive());
        h.dialogs.answerYes = true;
        form.menu().exitItem->trigger();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!form.isVisible());

        MainWindowHarness other;
        QSignalSpy closedByBox(&other.form(), &MainWindow::closed);
        other.form().close();
        QCOMPARE(closedByBox.count(), 1);
        QVERIFY(other.dialogs.questions.isEmpty());
    }

    // Board choice shows the board's shape; End Game and each style repaint every cell with a peg but keep the fields.
    void boardAndStyleChoiceKeepTheFinishedPosition()
    {
        MainWindowHarness h;
        MainWindow& form = h.form();
        form.newGame();
        h.play({{5, 4, 3, 4}});
        form.endGame();
        for (int style = 1; style <= PieceImages::StyleCount; ++style) {
            form.menu().styleItems[static_cast<std::size_t>(style - 1)]->trigger();
            const PieceImages::Set set = PieceImages::load(style, true);
            for (int board : {style, style + 1}) {
                h.chooseBoard(board);
                const BoardLayout& layout = BoardLayout::forBoard(board);
                QCOMPARE(form.panel().boardNameLabel->text(), layout.name);
                for (int r = 0; r < Board::Size; ++r)
                    for (int c = 0; c < Board::Size; ++c) {
                        const PictureCell* cell = form.boardView().cell(r, c);
                        QCOMPARE(cell->isVisibleTo(&form.boardView()), layout.isHole(r, c));
                        QVERIFY(samePicture(cell->picture(), set.pegPicture));
                    }
            }
        }
        QVERIFY(!form.game().board()(5, 4).pegged);
        QCOMPARE(form.panel().pegsLeftValue->text(), QStringLiteral("35"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
