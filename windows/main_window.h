#pragma once

#include "windows/services.h"
#include "ui/piece_images.h"
#include "core/rules/game_session.h"
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
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(const Services& services, bool smallPieces);
    ~MainWindow() override;

    // Start-up.
    void setUpMusic();
    void setUpPieces();
    void fillBoard();
    void clearSelectionAndMusicStarted();

    // Menu and control handlers.
    void newGame();
    void endGame();
    void togglePause();
    void onClockTick();
    void askToExit();
    void chooseBoardItem(int boardNumber);
    void chooseStyle(int style);
    void clickCell(int row, int col);
    void undoMove();
    void showLastPeg();
    void showHelp();
    void showAbout();

    GameSession& session() { return session_; }
    const Game& game() const { return session_.game(); }
    const GameClock& clock() const { return session_.clock(); }
    MainMenu& menu() const { return *menu_; }
    StatusPanel& panel() const { return *panel_; }
    BoardView& boardView() const { return *boardView_; }
    QLineEdit& pausedBox() const { return *pausedBox_; }
    QTimer& clockTimer() const { return *clockTimer_; }
    MusicControl& music() const { return *music_; }
    LastPegWindow* lastPegView() const { return lastPeg_; }

Q_SIGNALS:
    // The main window has closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void connectMenu();
    void bindToSession();
    void repaintCells(bool all = false);
    void playSound(const QString& fileName);
    void showPegsLeft();
    void endOfGame();

    Services services_;
    GameSession session_;
    bool smallPieces_ = true;
    PieceImages::Set pictures_;
    MainMenu* menu_ = nullptr;
    StatusPanel* panel_ = nullptr;
    BoardView* boardView_ = nullptr;
    QLineEdit* pausedBox_ = nullptr;
    QTimer* clockTimer_ = nullptr;
    MusicControl* music_ = nullptr;
    HighScoreControl* highScores_ = nullptr;
    // The last-peg view has no owner and deletes itself when closed.
    QPointer<LastPegWindow> lastPeg_;
};
