// Start-up, the main window's layout and menus, board choice, styles and leaving the game.
#include "ui/board_view.h"
#include "windows/main_window.h"
#include "windows/splash_window.h"
#include "windows/main_menu.h"
#include "windows/music_control.h"
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

namespace {

int visibleCells(const MainWindow& form)
{
    int visible = 0;
    for (int r = 0; r < Board::Size; ++r)
        for (int c = 0; c < Board::Size; ++c)
            visible += form.boardView().cell(r, c)->isVisibleTo(&form.boardView()) ? 1 : 0;
    return visible;
}

QStringList checkedItems(const QMenu* menu)
{
    QStringList checked;
    for (const QAction* action : menu->actions())
        if (action->isChecked())
            checked.append(action->text());
    return checked;
}

bool samePicture(const QPixmap& a, const QPixmap& b)
{
    return a.toImage() == b.toImage();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splashShowsProductVersionAndLogo();
    void startUpState();
    void menuTreeAsDesigned();
    void layoutInPixels();
    void cellsTakeNoClicksBeforeNewGame();
    void exitAsksAndNoChangesNothing();
    void exitYesAndCloseBoxEndTheProgram();
    void boardChoiceShowsTheShape();
    void boardChoiceKeepsTheFinishedPosition();
    void styleChangeRepaintsEveryCellWithPegs();
    void displaySettingChoosesTheVariant();
};

void TestMainWindow::splashShowsProductVersionAndLogo()
{
    SplashWindow splash;
    QCOMPARE(splash.productLabel->text(), QStringLiteral("Hopnix"));
    QCOMPARE(splash.versionLabel->text(), QStringLiteral("Version 3.3.0"));
    QCOMPARE(splash.companyLabel->text(), QStringLiteral("Tarnwick"));
    QCOMPARE(splash.handOverTimer->interval(), 2000);
    QVERIFY(splash.handOverTimer->isSingleShot());
    QVERIFY(splash.handOverTimer->isActive());
    QVERIFY(samePicture(splash.logo->pixmap(), PieceImages::logo()));
    QCOMPARE(splash.size(), QSize(296, 170));
    QVERIFY(splash.windowFlags() & Qt::SplashScreen);
}

void TestMainWindow::startUpState()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    const MainMenu& menu = form.menu();
    QVERIFY(form.isVisible());
    QCOMPARE(form.windowTitle(), QStringLiteral("Hopnix v3.3"));
    QCOMPARE(checkedItems(menu.Style), QStringList{QStringLiteral("Cocktail")});
    QCOMPARE(checkedItems(menu.SkillLevel), QStringList{QStringLiteral("Classic")});
    QCOMPARE(checkedItems(menu.Sound), QStringList{QStringLiteral("On")});
    QCOMPARE(checkedItems(menu.MusicMenu), QStringList{QStringLiteral("On")});
    QVERIFY(checkedItems(menu.HighScoreMenu).isEmpty());
    QVERIFY(menu.NewGame->isEnabled());
    QVERIFY(!menu.EndGame->isEnabled());
    QVERIFY(!menu.Pause->isEnabled());
    QVERIFY(!form.panel().undoButton->isEnabled());
    QVERIFY(form.boardView().isVisible());
    QVERIFY(!form.boardView().isEnabled());
    QVERIFY(!form.pausedBox().isVisible());
    QVERIFY(!form.clockTimer().isActive());
    QCOMPARE(visibleCells(form), 37);
    QCOMPARE(form.panel().pegsLeftValue->text(), QString());
    QCOMPARE(form.panel().timeValue->text(), QString());
    QCOMPARE(form.panel().boardNameLabel->text(), QStringLiteral("Classic"));
    QCOMPARE(form.game().pegsLeft(), 0);
    QVERIFY(!form.game().pegSelected());
    // Every hole shows a Cocktail peg.
    const PieceImages::Set cocktail = PieceImages::load(4, true);
    QVERIFY(samePicture(form.boardView().cell(3, 4)->picture(), cocktail.PegPicture));
    // The tune is opened, nothing plays.
    QCOMPARE(h.music.commands, QStringList{QStringLiteral("open ") + h.dir() + QStringLiteral("/amalia2.mid")});
    QVERIFY(!form.music().musicStarted());
    QVERIFY(h.sound.played.isEmpty());
}

void TestMainWindow::menuTreeAsDesigned()
{
    MainWindowHarness h;
    QStringList captions;
    for (const QAction* top : h.form().menuBar()->actions()) {
        QStringList items;
        for (const QAction* item : top->menu()->actions())
            items.append(item->isSeparator() ? QStringLiteral("-") : item->text());
        captions.append(top->text() + QLatin1Char(':') + items.join(QLatin1Char('|')));
    }
    const QStringList expected{
        QStringLiteral("&Game:&New Game|&End Game|Pause Game|Show Last Peg|E&xit"),
        QStringLiteral("&Boards:Classic|European 1|European 2|Square 7x7|Square 6x6"),
        QStringLiteral("&High Scores:Classic|European 1|European 2|Square 7x7|Square 6x6"),
        QStringLiteral("S&tyle:Swirl|Slate|Aqua|Cocktail"),
        QStringLiteral("&Sound:On|Off"),
        QStringLiteral("&Music:On|Off"),
        QStringLiteral("&Help:Hopnix Help|-|About Hopnix"),
    };
    QCOMPARE(captions, expected);
    QVERIFY(h.form().menu().Pause->isCheckable());
}

void TestMainWindow::layoutInPixels()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    QCOMPARE(form.centralWidget()->size(), QSize(489, 384));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(form.panel().geometry(), QRect(0, 0, 97, 393));
    QCOMPARE(form.boardView().geometry(), QRect(112, 8, 364, 380));
    QCOMPARE(form.boardView().cell(3, 4)->geometry(), QRect(160, 128, 41, 41));
    QCOMPARE(form.boardView().cell(8, 8)->geometry(), QRect(320, 328, 41, 41));
    QCOMPARE(form.pausedBox().geometry(), QRect(208, 184, 153, 25));
    QCOMPARE(form.pausedBox().text(), QStringLiteral("  Game Paused"));
    QCOMPARE(form.panel().undoButton->geometry(), QRect(30, 88, 25, 25));
    QCOMPARE(form.panel().undoButton->toolTip(), QStringLiteral(" Undo last move "));
    QCOMPARE(form.panel().topName->geometry(), QRect(8, 320, 81, 17));
}

void TestMainWindow::cellsTakeNoClicksBeforeNewGame()
{
    MainWindowHarness h;
    h.click(5, 4);
    QVERIFY(!h.form().game().pegSelected());
    QVERIFY(h.sound.played.isEmpty());
}

void TestMainWindow::exitAsksAndNoChangesNothing()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    QSignalSpy closed(&form, &MainWindow::closed);
    form.newGame();
    h.dialogs.answerYes = false;
    form.menu().Exit->trigger();
    QCOMPARE(h.dialogs.questions, QStringList{QStringLiteral("Hopnix33|Are you sure you want to exit Hopnix")});
    QCOMPARE(closed.count(), 0);
    QVERIFY(form.isVisible());
    QVERIFY(form.clockTimer().isActive());
    QVERIFY(form.menu().EndGame->isEnabled());
}

void TestMainWindow::exitYesAndCloseBoxEndTheProgram()
{
    MainWindowHarness h;
    QSignalSpy closed(&h.form(), &MainWindow::closed);
    h.dialogs.answerYes = true;
    h.form().menu().Exit->trigger();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!h.form().isVisible());

    MainWindowHarness other;
    QSignalSpy closedByBox(&other.form(), &MainWindow::closed);
    other.form().close();
    QCOMPARE(closedByBox.count(), 1);
    QVERIFY(other.dialogs.questions.isEmpty());
}

void TestMainWindow::boardChoiceShowsTheShape()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    for (int board : {2, 3, 4, 5, 1, 5, 3}) {
        form.menu().Level[static_cast<std::size_t>(board - 1)]->trigger();
        const BoardLayout& layout = BoardLayout::forBoard(board);
        QCOMPARE(checkedItems(form.menu().SkillLevel), QStringList{layout.name});
        QCOMPARE(form.panel().boardNameLabel->text(), layout.name);
        QCOMPARE(visibleCells(form), layout.holeCount());
        for (int r = 0; r < Board::Size; ++r)
            for (int c = 0; c < Board::Size; ++c)
                QCOMPARE(form.boardView().cell(r, c)->isVisibleTo(&form.boardView()), layout.isHole(r, c));
        const QPoint expected = board == 5 ? QPoint(95, 18) : QPoint(112, 8);
        QCOMPARE(form.boardView().pos(), expected);
        QVERIFY(form.boardView().isVisible());
    }
    // The board already in play, chosen again: same picture, one mark.
    form.menu().Level[2]->trigger();
    QCOMPARE(checkedItems(form.menu().SkillLevel), QStringList{QStringLiteral("European 2")});
}

void TestMainWindow::boardChoiceKeepsTheFinishedPosition()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    form.newGame();
    h.click(5, 4);
    h.click(3, 4);
    form.endGame();
    // End Game refills the pictures but keeps the fields.
    QVERIFY(!form.game().board()(5, 4).Pegged);
    form.menu().Level[1]->trigger();
    QVERIFY(!form.game().board()(5, 4).Pegged);
    QCOMPARE(form.game().pegsLeft(), 35);
    QCOMPARE(form.panel().pegsLeftValue->text(), QStringLiteral("35"));
}

void TestMainWindow::styleChangeRepaintsEveryCellWithPegs()
{
    MainWindowHarness h;
    MainWindow& form = h.form();
    form.newGame();
    h.click(5, 4);
    h.click(3, 4);
    form.endGame();
    for (int style = 1; style <= PieceImages::StyleCount; ++style) {
        form.menu().StyleItem[static_cast<std::size_t>(style - 1)]->trigger();
        const PieceImages::Set set = PieceImages::load(style, true);
        for (int r = 0; r < Board::Size; ++r)
            for (int c = 0; c < Board::Size; ++c)
                QVERIFY(samePicture(form.boardView().cell(r, c)->picture(), set.PegPicture));
        QCOMPARE(checkedItems(form.menu().Style).size(), 1);
        QVERIFY(form.menu().StyleItem[static_cast<std::size_t>(style - 1)]->isChecked());
        QVERIFY(!form.game().board()(4, 4).Pegged);
        QCOMPARE(form.panel().pegsLeftValue->text(), QStringLiteral("35"));
    }
}

void TestMainWindow::displaySettingChoosesTheVariant()
{
    for (int style = 1; style <= PieceImages::StyleCount; ++style)
        for (bool small : {true, false}) {
            const PieceImages::Set set = PieceImages::load(style, small);
            for (const QPixmap* picture : {&set.MarkedPicture, &set.PegPicture, &set.HolePicture})
                QCOMPARE(picture->size(), QSize(50, 50));
        }
    MainWindowHarness large(QStringLiteral("120"));
    QVERIFY(samePicture(large.form().boardView().cell(3, 4)->picture(), PieceImages::load(4, false).PegPicture));
    MainWindowHarness small(QStringLiteral("144"));
    QVERIFY(samePicture(small.form().boardView().cell(3, 4)->picture(), PieceImages::load(4, true).PegPicture));
    QVERIFY(!samePicture(PieceImages::load(4, true).PegPicture, PieceImages::load(4, false).PegPicture));
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
