#pragma once

#include "core/rules/game_clock.h"
#include "windows/services.h"
#include "ui/piece_images.h"
#include "core/rules/game.h"
#include "windows/last_peg_window.h"

#include <QMainWindow>
#include <QPointer>

class BoardView;
class HighScoreControl;
class MainMenu;
class MusicControl;
class QLineEdit;
class QTimer;
class StatusPanel;

// The main game window: the board, the status column and the menus, and the life of one game.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    Form1(const Services& services, bool smallPieces);
    ~Form1() override;

    // Start-up.
    void SetMusic();
    void SetPieces();
    void FillBoard();
    void clearSelectionAndMusicStarted();

    // Menu and control handlers.
    void NewGame_Click();
    void EndGame_Click();
    void Pause_Click();
    void Timer1_Timer();
    void Exit_Click();
    void LevelClick(int boardNumber);
    void StyleClick(int style);
    void SoundOn_Click();
    void SoundOff_Click();
    void CellClick(int row, int col);
    void Command2_Click();
    void ShowLastPeg_Click();
    void PegHelp_Click();
    void AboutPeg_Click();

    const Game& game() const { return game_; }
    const GameClock& clock() const { return clock_; }
    MainMenu& menu() const { return *menu_; }
    StatusPanel& panel() const { return *panel_; }
    BoardView& Picture3() const { return *picture3_; }
    QLineEdit& Text1() const { return *text1_; }
    QTimer& Timer1() const { return *timer1_; }
    MusicControl& music() const { return *music_; }
    HighScoreControl& highScores() const { return *highScores_; }
    LastPegFrm* lastPegView() const { return lastPeg_; }

Q_SIGNALS:
    // The main window has closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void connectMenu();
    void repaintCells(bool all = false);
    void playSound(const QString& fileName);
    void showPegsLeft();
    void endOfGame();
    void enterBetweenGames();

    Services services_;
    Game game_;
    GameClock clock_;
    bool SmallPieces_ = true;
    PieceImages::Set pictures_;
    MainMenu* menu_ = nullptr;
    StatusPanel* panel_ = nullptr;
    BoardView* picture3_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QTimer* timer1_ = nullptr;
    MusicControl* music_ = nullptr;
    HighScoreControl* highScores_ = nullptr;
    // The last-peg view has no owner and deletes itself when closed.
    QPointer<LastPegFrm> lastPeg_;
};
