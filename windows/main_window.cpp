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
#include "ui/window_placement.h"
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
    : services_(services), session_(services.time), smallPieces_(smallPieces)
{
    buildWindow();
    connectMenu();
    bindToSession();
}

MainWindow::~MainWindow()
{
    delete lastPeg_;
}

void MainWindow::buildWindow()
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(AppInfo::mainCaption());
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

    music_ = new MusicControl(services_.music, session_, services_.programDir, this);
    highScores_ = new HighScoreControl(services_.scores, services_.dialogs, session_, *panel_, this);

    connect(boardView_, &BoardView::cellClicked, this, &MainWindow::clickCell);
    connect(panel_->undoButton, &QPushButton::clicked, this, &MainWindow::undoMove);

    setFixedSize(sizeHint());
    FormLayout::centreOnScreen(*this);
}

void MainWindow::connectMenu()
{
    MainMenu& m = *menu_;
    m.onChosen(m.newGameItem, [this] { newGame(); });
    m.onChosen(m.endGameItem, [this] { endGame(); });
    m.onChosen(m.pauseItem, [this] { togglePause(); });
    m.onChosen(m.showLastPegItem, [this] { showLastPeg(); });
    m.onChosen(m.exitItem, [this] { askToExit(); });
    for (int n = 1; n <= BoardLayout::Count; ++n)
        m.onChosen(m.boardItems[static_cast<std::size_t>(n - 1)], [this, n] { chooseBoardItem(n); });
    for (int n = 1; n <= PieceImages::StyleCount; ++n)
        m.onChosen(m.styleItems[static_cast<std::size_t>(n - 1)], [this, n] { chooseStyle(n); });
    for (int n = 1; n <= BoardLayout::Count; ++n)
        m.onChosen(m.highScoreItems[static_cast<std::size_t>(n - 1)], [this, n] { highScores_->showHighScores(n); });
    m.onChosen(m.soundOnItem, [this] { session_.setSoundOn(true); });
    m.onChosen(m.soundOffItem, [this] { session_.setSoundOn(false); });
    m.onChosen(m.musicOnItem, [this] { music_->switchMusicOn(); });
    m.onChosen(m.musicOffItem, [this] { music_->switchMusicOff(); });
    m.onChosen(m.helpItem, [this] { showHelp(); });
    m.onChosen(m.aboutItem, [this] { showAbout(); });
}

void MainWindow::bindToSession()
{
    menu_->bindTo(session_);
    connect(&session_, &GameSession::undoAvailableChanged, panel_->undoButton, &QWidget::setEnabled);
    connect(&session_, &GameSession::phaseChanged, this, [this](GameSession::Phase phase) {
        const bool paused = phase == GameSession::Phase::Paused;
        boardView_->setEnabled(phase == GameSession::Phase::Playing);
        boardView_->setVisible(!paused);
        pausedBox_->setVisible(paused);
        if (phase == GameSession::Phase::Playing)
            clockTimer_->start();
        else
            clockTimer_->stop();
    });
}

void MainWindow::setUpMusic()
{
    music_->setUpMusic();
}

void MainWindow::setUpPieces()
{
    session_.board().setUpPieces();
}

void MainWindow::fillBoard()
{
    session_.board().fillBoard();
    repaintCells();
}

void MainWindow::clearSelectionAndMusicStarted()
{
    session_.clearSelectionAndMusicStarted();
}

void MainWindow::newGame()
{
    if (!session_.newGame())
        return;
    repaintCells();
    boardView_->placeCurrentCell();
    showPegsLeft();
    music_->newGameStarted();
}

void MainWindow::togglePause()
{
    if (!session_.togglePause())
        return;
    if (session_.musicOn()) {
        if (session_.phase() == GameSession::Phase::Paused)
            music_->stopMusic();
        else
            music_->playMusic();
    }
}

void MainWindow::endGame()
{
    if (session_.phase() == GameSession::Phase::Paused)
        togglePause();
    if (session_.endGame())
        repaintCells();
}

void MainWindow::onClockTick()
{
    session_.tick();
    panel_->timeValue->setText(GameClock::format(session_.clock().elapsedSeconds()));
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
    if (session_.inGame())
        return;
    const BoardLayout& layout = BoardLayout::forBoard(boardNumber);
    if (lastPeg_)
        lastPeg_->close();
    boardView_->hide();
    panel_->boardNameLabel->setText(layout.name);
    session_.chooseBoard(boardNumber);
    highScores_->showTopPlayer();
    repaintCells();
    boardView_->moveTo(layout.containerLeft, layout.containerTop);
    boardView_->show();
}

void MainWindow::chooseStyle(int style)
{
    if (!session_.chooseStyle(style))
        return;
    pictures_ = PieceImages::load(style, smallPieces_);
    session_.board().fillBoard();
    repaintCells(true);
}

void MainWindow::clickCell(int row, int col)
{
    const ClickOutcome outcome = session_.clickCell(row, col);
    if (outcome == ClickOutcome::Refused)
        return;
    repaintCells();
    if (outcome != ClickOutcome::Jumped) {
        playSound(QStringLiteral("Change.wav"));
        return;
    }
    showPegsLeft();
    playSound(QStringLiteral("Pop2.wav"));
    if (!session_.inGame())
        endOfGame();
}

void MainWindow::undoMove()
{
    if (!session_.undo())
        return;
    repaintCells();
    showPegsLeft();
    playSound(QStringLiteral("redo.wav"));
}

void MainWindow::showLastPeg()
{
    if (!lastPeg_) {
        lastPeg_ = new LastPegWindow(session_.boardNumber());
        WindowPlacement::placeBeside(*lastPeg_, *this);
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
    services_.dialogs.exec(this, help);
}

void MainWindow::showAbout()
{
    AboutWindow about;
    services_.dialogs.exec(this, about);
}

void MainWindow::endOfGame()
{
    GameOverWindow gameOver(session_.game().pegsLeft());
    connect(&gameOver, &GameOverWindow::queryUnload, this, [this] {
        highScores_->checkForHighScore(session_.game().pegsLeft(), session_.clock().elapsedTime());
    });
    services_.dialogs.exec(this, gameOver);
}

void MainWindow::repaintCells(bool all)
{
    const auto changed = session_.board().takeChanged();
    for (int row = 0; row < Board::Size; ++row)
        for (int col = 0; col < Board::Size; ++col) {
            if (!all && !changed.test(static_cast<std::size_t>(row * Board::Size + col)))
                continue;
            const BoardCell& cell = session_.game().board()(row, col);
            PictureCell* widget = boardView_->cell(row, col);
            widget->setPicture(pictures_.of(cell.picture), cell.picture);
            widget->setVisible(cell.visible);
        }
}

void MainWindow::playSound(const QString& fileName)
{
    if (session_.soundOn())
        services_.sound.play(services_.programDir + QLatin1Char('/') + fileName);
}

void MainWindow::showPegsLeft()
{
    panel_->pegsLeftValue->setText(QString::number(session_.game().pegsLeft()));
}
