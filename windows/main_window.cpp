#include "windows/main_window.h"
#include "ui/form_layout.h"

#include "ui/app_icon.h"
#include "core/settings/app_info.h"
#include "ui/board_view.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
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

Form1::Form1(const Services& services, bool smallPieces)
    : services_(services), clock_(services.time), SmallPieces_(smallPieces)
{
    buildWindow();
    connectMenu();
}

Form1::~Form1()
{
    delete lastPeg_;
}

void Form1::buildWindow()
{
    setObjectName(QStringLiteral("Form1"));
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
    picture3_ = new BoardView(client);
    picture3_->hide();
    picture3_->setEnabled(false);

    text1_ = new QLineEdit(QStringLiteral("  Game Paused"), client);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(Twips::rect(3120, 2760, 2292, 372));
    text1_->setAlignment(Qt::AlignCenter);
    text1_->setFont(Fonts::msSansSerif(13.5));
    text1_->setReadOnly(true);
    text1_->setEnabled(false);
    text1_->hide();

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(1000);
    timer1_->setTimerType(Qt::PreciseTimer);
    connect(timer1_, &QTimer::timeout, this, &Form1::Timer1_Timer);

    music_ = new MusicControl(services_.music, *menu_, services_.programDir, this);
    highScores_ = new HighScoreControl(services_.scores, services_.dialogs, *menu_, *panel_, this);

    connect(picture3_, &BoardView::cellClicked, this, &Form1::CellClick);
    connect(panel_->Command2, &QPushButton::clicked, this, &Form1::Command2_Click);

    setFixedSize(sizeHint());
    FormLayout::centreOnScreen(*this);
}

void Form1::connectMenu()
{
    MainMenu& m = *menu_;
    m.onChosen(m.NewGame, [this] { NewGame_Click(); });
    m.onChosen(m.EndGame, [this] { EndGame_Click(); });
    m.onChosen(m.Pause, [this] { Pause_Click(); });
    m.onChosen(m.ShowLastPeg, [this] { ShowLastPeg_Click(); });
    m.onChosen(m.Exit, [this] { Exit_Click(); });
    for (int n = 1; n <= BoardLayout::Count; ++n)
        m.onChosen(m.Level[static_cast<std::size_t>(n - 1)], [this, n] { LevelClick(n); });
    for (int n = 1; n <= PieceImages::StyleCount; ++n)
        m.onChosen(m.StyleItem[static_cast<std::size_t>(n - 1)], [this, n] { StyleClick(n); });
    const auto highScoreItems = m.highScoreItems();
    for (int n = 1; n <= BoardLayout::Count; ++n)
        m.onChosen(highScoreItems[static_cast<std::size_t>(n - 1)], [this, n] { highScores_->HighScoreClick(n); });
    m.onChosen(m.SoundOn, [this] { SoundOn_Click(); });
    m.onChosen(m.SoundOff, [this] { SoundOff_Click(); });
    m.onChosen(m.MusicOn, [this] { music_->MusicOn_Click(); });
    m.onChosen(m.MusicOff, [this] { music_->MusicOff_Click(); });
    m.onChosen(m.PegHelp, [this] { PegHelp_Click(); });
    m.onChosen(m.AboutPeg, [this] { AboutPeg_Click(); });
}

void Form1::SetMusic()
{
    music_->SetMusic();
}

void Form1::SetPieces()
{
    game_.board().SetPieces();
}

void Form1::FillBoard()
{
    game_.board().FillBoard();
    repaintCells();
}

void Form1::clearSelectionAndMusicStarted()
{
    game_.clearSelection();
    music_->clearMusicStarted();
}

void Form1::NewGame_Click()
{
    menu_->Pause->setEnabled(true);
    menu_->Style->menuAction()->setEnabled(false);
    SetPieces();
    FillBoard();
    game_.clearSelection();
    picture3_->setEnabled(true);
    if (const int board = menu_->boardNumber(); board != 0) {
        game_.SetStartHole(board);
        repaintCells();
    }
    menu_->SkillLevel->menuAction()->setEnabled(false);
    game_.SetNumberPegged(menu_->boardNumber());
    showPegsLeft();
    menu_->EndGame->setEnabled(true);
    panel_->Command2->setEnabled(false);
    clock_.start();
    timer1_->start();
    music_->newGameStarted();
}

void Form1::Pause_Click()
{
    const bool pausing = !menu_->Pause->isChecked();
    picture3_->setEnabled(!pausing);
    picture3_->setVisible(!pausing);
    if (pausing)
        timer1_->stop();
    else
        timer1_->start();
    menu_->Pause->setChecked(pausing);
    if (pausing)
        clock_.pauseStarted();
    else
        clock_.pauseEnded();
    text1_->setVisible(pausing);
    if (menu_->MusicOn->isChecked()) {
        if (pausing)
            music_->StopMusic();
        else
            music_->PlayMusic();
    }
    menu_->NewGame->setEnabled(!pausing);
}

void Form1::EndGame_Click()
{
    if (menu_->Pause->isChecked())
        Pause_Click();
    timer1_->stop();
    menu_->Style->menuAction()->setEnabled(true);
    picture3_->setEnabled(false);
    menu_->SkillLevel->menuAction()->setEnabled(true);
    FillBoard();
    menu_->Pause->setEnabled(false);
    menu_->EndGame->setEnabled(false);
    panel_->Command2->setEnabled(false);
}

void Form1::Timer1_Timer()
{
    clock_.tick();
    panel_->TimeTxt->setText(GameClock::format(clock_.elapsedSeconds()));
}

void Form1::Exit_Click()
{
    if (services_.dialogs.askYesNo(this, AppInfo::Title, tr("Are you sure you want to exit Hopnix")))
        close();
}

void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    Q_EMIT closed();
}

void Form1::LevelClick(int boardNumber)
{
    const BoardLayout& layout = BoardLayout::ForBoard(boardNumber);
    if (lastPeg_)
        lastPeg_->close();
    picture3_->hide();
    panel_->Label7->setText(layout.name);
    for (int n = 1; n <= BoardLayout::Count; ++n)
        menu_->Level[static_cast<std::size_t>(n - 1)]->setChecked(n == boardNumber);
    highScores_->ShowTopPlayer();
    game_.chooseBoard(boardNumber);
    repaintCells();
    picture3_->moveTo(layout.containerLeft, layout.containerTop);
    picture3_->show();
}

void Form1::StyleClick(int style)
{
    pictures_ = PieceImages::load(style, SmallPieces_);
    game_.board().FillBoard();
    repaintCells(true);
    for (int n = 1; n <= PieceImages::StyleCount; ++n)
        menu_->StyleItem[static_cast<std::size_t>(n - 1)]->setChecked(n == style);
}

void Form1::SoundOn_Click()
{
    menu_->SoundOff->setChecked(false);
    menu_->SoundOn->setChecked(true);
}

void Form1::SoundOff_Click()
{
    menu_->SoundOff->setChecked(true);
    menu_->SoundOn->setChecked(false);
}

void Form1::CellClick(int row, int col)
{
    const ClickOutcome outcome = game_.CellClick(row, col);
    if (outcome == ClickOutcome::Refused)
        return;
    repaintCells();
    if (outcome != ClickOutcome::Jumped) {
        playSound(QStringLiteral("Change.wav"));
        return;
    }
    showPegsLeft();
    playSound(QStringLiteral("Pop2.wav"));
    panel_->Command2->setEnabled(true);
    if (game_.NoMovesLeft())
        endOfGame();
}

void Form1::Command2_Click()
{
    if (menu_->Pause->isChecked())
        return;
    game_.Undo();
    repaintCells();
    showPegsLeft();
    panel_->Command2->setEnabled(false);
    playSound(QStringLiteral("redo.wav"));
}

void Form1::ShowLastPeg_Click()
{
    if (!lastPeg_) {
        lastPeg_ = new LastPegFrm(menu_->boardNumber());
        lastPeg_->show();
        return;
    }
    lastPeg_->show();
    lastPeg_->raise();
    lastPeg_->activateWindow();
}

void Form1::PegHelp_Click()
{
    music_->StopMusic();
    HelpFrm help(services_.programDir + QStringLiteral("/PegHelp.rtf"));
    connect(&help, &HelpFrm::queryUnload, music_, &MusicControl::helpClosed);
    services_.dialogs.exec(help);
}

void Form1::AboutPeg_Click()
{
    FrmAbout about;
    services_.dialogs.exec(about);
}

void Form1::endOfGame()
{
    timer1_->stop();
    GameOverFrm gameOver(game_.PegsLeft());
    connect(&gameOver, &GameOverFrm::queryUnload, this,
            [this] { highScores_->CheckForHighScore(game_.PegsLeft(), clock_.ElapsedTime()); });
    services_.dialogs.exec(gameOver);
    enterBetweenGames();
}

void Form1::enterBetweenGames()
{
    picture3_->setEnabled(false);
    menu_->SkillLevel->menuAction()->setEnabled(true);
    menu_->Style->menuAction()->setEnabled(true);
    menu_->Pause->setEnabled(false);
    menu_->EndGame->setEnabled(false);
    panel_->Command2->setEnabled(false);
}

void Form1::repaintCells(bool all)
{
    const auto changed = game_.board().takeChanged();
    for (int row = 0; row < Board::Size; ++row)
        for (int col = 0; col < Board::Size; ++col) {
            if (!all && !changed.test(static_cast<std::size_t>(row * Board::Size + col)))
                continue;
            const BoardCell& cell = game_.board()(row, col);
            PictureCell* widget = picture3_->cell(row, col);
            widget->setPicture(pictures_.of(cell.Picture), cell.Picture);
            widget->setVisible(cell.Visible);
        }
}

void Form1::playSound(const QString& fileName)
{
    if (menu_->SoundOn->isChecked())
        services_.sound.play(services_.programDir + QLatin1Char('/') + fileName);
}

void Form1::showPegsLeft()
{
    panel_->PegLeftTxt->setText(QString::number(game_.PegsLeft()));
}
