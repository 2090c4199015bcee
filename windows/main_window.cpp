#include "windows/main_window.h"
#include "ui/form_layout.h"

#include "ui/app_icon.h"
#include "core/settings/app_info.h"
#include "ui/board_view.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/own_colours.h"
#include "windows/high_score_control.h"
#include "windows/main_menu.h"
#include "windows/music_control.h"
#include "windows/status_panel.h"
#include "ui/twips.h"
#include "core/music/sound_player.h"
#include "core/board/board_layout.h"
#include "ui/picture_cell.h"
#include "windows/game_over_window.h"
#include "windows/about_window.h"
#include "windows/help_window.h"
#include "windows/last_peg_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QLabel>
#include <QTimer>

MainWindow::MainWindow(const Services& services, bool smallPieces)
    : services_(services), clock_(services.time), smallPieces_(smallPieces)
{
    buildWindow();
    connectMenu();
}

MainWindow::~MainWindow()
{
    delete lastPeg_;
}

void MainWindow::buildWindow()
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(tr("Hopnix v3.3"));
    setWindowIcon(AppIcon::icon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto* client = new QWidget(this);
    client->setFixedSize(Twips::size(7335, 5760));
    client->setAutoFillBackground(true);
    QPalette black = client->palette();
    black.setColor(QPalette::Window, Qt::black);
    client->setPalette(black);
    setCentralWidget(client);

    menu_ = new MainMenu(menuBar());
    panel_ = new StatusPanel(client);
    boardView_ = new BoardView(client);
    boardView_->hide();
    boardView_->setEnabled(false);

    pausedBox_ = new QLineEdit(QStringLiteral("  Game Paused"), client);
    pausedBox_->setObjectName(QStringLiteral("pausedBox"));
    pausedBox_->setGeometry(Twips::rect(3120, 2760, 2292, 372));
    pausedBox_->setAlignment(Qt::AlignCenter);
    pausedBox_->setFont(Fonts::msSansSerif(13.5));
    pausedBox_->setReadOnly(true);
    pausedBox_->setEnabled(false);
    OwnColours::setDisabledTextBox(*pausedBox_);
    pausedBox_->hide();

    clockTimer_ = new QTimer(this);
    clockTimer_->setObjectName(QStringLiteral("clockTimer"));
    clockTimer_->setInterval(1000);
    clockTimer_->setTimerType(Qt::PreciseTimer);
    connect(clockTimer_, &QTimer::timeout, this, &MainWindow::onClockTick);

    music_ = new MusicControl(services_.music, *menu_, services_.programDir, this);
    highScores_ = new HighScoreControl(services_.scores, services_.dialogs, *menu_, *panel_, this);

    connect(boardView_, &BoardView::cellClicked, this, &MainWindow::clickCell);
    connect(panel_->undoButton, &QPushButton::clicked, this, &MainWindow::undoMove);

    setFixedSize(sizeHint());
    FormLayout::centreOnScreen(*this);
}

void MainWindow::connectMenu()
{
    MainMenu& m = *menu_;
    m.onChosen(m.NewGame, [this] { newGame(); });
    m.onChosen(m.EndGame, [this] { endGame(); });
    m.onChosen(m.Pause, [this] { togglePause(); });
    m.onChosen(m.ShowLastPeg, [this] { showLastPeg(); });
    m.onChosen(m.Exit, [this] { askToExit(); });
    for (int n = 1; n <= BoardLayout::Count; ++n)
        m.onChosen(m.Level[static_cast<std::size_t>(n - 1)], [this, n] { chooseBoardItem(n); });
    for (int n = 1; n <= PieceImages::StyleCount; ++n)
        m.onChosen(m.StyleItem[static_cast<std::size_t>(n - 1)], [this, n] { chooseStyle(n); });
    const auto highScoreItems = m.highScoreItems();
    for (int n = 1; n <= BoardLayout::Count; ++n)
        m.onChosen(highScoreItems[static_cast<std::size_t>(n - 1)], [this, n] { highScores_->showHighScores(n); });
    m.onChosen(m.SoundOn, [this] { switchSoundOn(); });
    m.onChosen(m.SoundOff, [this] { switchSoundOff(); });
    m.onChosen(m.MusicOn, [this] { music_->switchMusicOn(); });
    m.onChosen(m.MusicOff, [this] { music_->switchMusicOff(); });
    m.onChosen(m.PegHelp, [this] { showHelp(); });
    m.onChosen(m.AboutPeg, [this] { showAbout(); });
}

void MainWindow::setUpMusic()
{
    music_->setUpMusic();
}

void MainWindow::setUpPieces()
{
    game_.board().setUpPieces();
}

void MainWindow::fillBoard()
{
    game_.board().fillBoard();
    repaintCells();
}

void MainWindow::clearSelectionAndMusicStarted()
{
    game_.clearSelection();
    music_->clearMusicStarted();
}

void MainWindow::newGame()
{
    menu_->Pause->setEnabled(true);
    menu_->Style->menuAction()->setEnabled(false);
    setUpPieces();
    fillBoard();
    game_.clearSelection();
    boardView_->setEnabled(true);
    if (const int board = menu_->boardNumber(); board != 0) {
        game_.setStartHole(board);
        repaintCells();
    }
    menu_->SkillLevel->menuAction()->setEnabled(false);
    game_.setNumberPegged(menu_->boardNumber());
    showPegsLeft();
    menu_->EndGame->setEnabled(true);
    panel_->undoButton->setEnabled(false);
    clock_.start();
    clockTimer_->start();
    music_->newGameStarted();
}

void MainWindow::togglePause()
{
    const bool pausing = !menu_->Pause->isChecked();
    boardView_->setEnabled(!pausing);
    boardView_->setVisible(!pausing);
    if (pausing)
        clockTimer_->stop();
    else
        clockTimer_->start();
    menu_->Pause->setChecked(pausing);
    if (pausing)
        clock_.pauseStarted();
    else
        clock_.pauseEnded();
    pausedBox_->setVisible(pausing);
    if (menu_->MusicOn->isChecked()) {
        if (pausing)
            music_->stopMusic();
        else
            music_->playMusic();
    }
    menu_->NewGame->setEnabled(!pausing);
}

void MainWindow::endGame()
{
    if (menu_->Pause->isChecked())
        togglePause();
    clockTimer_->stop();
    menu_->Style->menuAction()->setEnabled(true);
    boardView_->setEnabled(false);
    menu_->SkillLevel->menuAction()->setEnabled(true);
    fillBoard();
    menu_->Pause->setEnabled(false);
    menu_->EndGame->setEnabled(false);
    panel_->undoButton->setEnabled(false);
}

void MainWindow::onClockTick()
{
    clock_.tick();
    panel_->timeValue->setText(GameClock::format(clock_.elapsedSeconds()));
}

void MainWindow::askToExit()
{
    if (services_.dialogs.askYesNo(this, AppInfo::Title, tr("Are you sure you want to exit Hopnix")))
        close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    Q_EMIT closed();
}

void MainWindow::chooseBoardItem(int boardNumber)
{
    const BoardLayout& layout = BoardLayout::forBoard(boardNumber);
    if (lastPeg_)
        lastPeg_->close();
    boardView_->hide();
    panel_->boardNameLabel->setText(layout.name);
    for (int n = 1; n <= BoardLayout::Count; ++n)
        menu_->Level[static_cast<std::size_t>(n - 1)]->setChecked(n == boardNumber);
    highScores_->showTopPlayer();
    game_.chooseBoard(boardNumber);
    repaintCells();
    boardView_->moveTo(layout.containerLeft, layout.containerTop);
    boardView_->show();
}

void MainWindow::chooseStyle(int style)
{
    pictures_ = PieceImages::load(style, smallPieces_);
    game_.board().fillBoard();
    repaintCells(true);
    for (int n = 1; n <= PieceImages::StyleCount; ++n)
        menu_->StyleItem[static_cast<std::size_t>(n - 1)]->setChecked(n == style);
}

void MainWindow::switchSoundOn()
{
    menu_->SoundOff->setChecked(false);
    menu_->SoundOn->setChecked(true);
}

void MainWindow::switchSoundOff()
{
    menu_->SoundOff->setChecked(true);
    menu_->SoundOn->setChecked(false);
}

void MainWindow::clickCell(int row, int col)
{
    const ClickOutcome outcome = game_.clickCell(row, col);
    if (outcome == ClickOutcome::Refused)
        return;
    repaintCells();
    if (outcome != ClickOutcome::Jumped) {
        playSound(QStringLiteral("Change.wav"));
        return;
    }
    showPegsLeft();
    playSound(QStringLiteral("Pop2.wav"));
    panel_->undoButton->setEnabled(true);
    if (game_.noMovesLeft())
        endOfGame();
}

void MainWindow::undoMove()
{
    if (menu_->Pause->isChecked())
        return;
    game_.undo();
    repaintCells();
    showPegsLeft();
    panel_->undoButton->setEnabled(false);
    playSound(QStringLiteral("redo.wav"));
}

void MainWindow::showLastPeg()
{
    if (!lastPeg_) {
        lastPeg_ = new LastPegWindow(menu_->boardNumber());
        lastPeg_->show();
        return;
    }
    lastPeg_->show();
    lastPeg_->raise();
    lastPeg_->activateWindow();
}

void MainWindow::showHelp()
{
    music_->stopMusic();
    HelpWindow help(services_.programDir + QStringLiteral("/PegHelp.rtf"));
    connect(&help, &HelpWindow::queryUnload, music_, &MusicControl::helpClosed);
    services_.dialogs.exec(help);
}

void MainWindow::showAbout()
{
    AboutWindow about;
    services_.dialogs.exec(about);
}

void MainWindow::endOfGame()
{
    clockTimer_->stop();
    GameOverWindow gameOver(game_.pegsLeft());
    connect(&gameOver, &GameOverWindow::queryUnload, this,
            [this] { highScores_->checkForHighScore(game_.pegsLeft(), clock_.elapsedTime()); });
    services_.dialogs.exec(gameOver);
    enterBetweenGames();
}

void MainWindow::enterBetweenGames()
{
    boardView_->setEnabled(false);
    menu_->SkillLevel->menuAction()->setEnabled(true);
    menu_->Style->menuAction()->setEnabled(true);
    menu_->Pause->setEnabled(false);
    menu_->EndGame->setEnabled(false);
    panel_->undoButton->setEnabled(false);
}

void MainWindow::repaintCells(bool all)
{
    const auto changed = game_.board().takeChanged();
    for (int row = 0; row < Board::Size; ++row)
        for (int col = 0; col < Board::Size; ++col) {
            if (!all && !changed.test(static_cast<std::size_t>(row * Board::Size + col)))
                continue;
            const BoardCell& cell = game_.board()(row, col);
            PictureCell* widget = boardView_->cell(row, col);
            widget->setPicture(pictures_.of(cell.Picture), cell.Picture);
            widget->setVisible(cell.Visible);
        }
}

void MainWindow::playSound(const QString& fileName)
{
    if (menu_->SoundOn->isChecked())
        services_.sound.play(services_.programDir + QLatin1Char('/') + fileName);
}

void MainWindow::showPegsLeft()
{
    panel_->pegsLeftValue->setText(QString::number(game_.pegsLeft()));
}
