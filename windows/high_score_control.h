#pragma once

#include <QObject>
#include <QString>

class Dialogs;
class GameSession;
class ScoreStore;
class StatusPanel;
class QWidget;

// The main window's side of the high scores: qualification and name entry, the tables' window, the top player.
class HighScoreControl : public QObject {
    Q_OBJECT
public:
    HighScoreControl(ScoreStore& scores, Dialogs& dialogs, GameSession& session, StatusPanel& panel, QWidget* window);

    // Runs as the end-of-game window closes: a result that ranks asks for a name, enters the table and is saved.
    void checkForHighScore(int pegsLeft, double elapsedTime);
    // Fills the three top-player labels from the best entry of the board in play.
    void showTopPlayer();
    // A High Scores menu item: its mark, then the table of that board in a modal window.
    void showHighScores(int boardNumber);

private:
    void insertHighScore(int position, int pegsLeft, double elapsedTime);

    ScoreStore& scores_;
    Dialogs& dialogs_;
    GameSession& session_;
    StatusPanel& panel_;
    // The main window: the parent of the modal windows opened from here.
    QWidget* window_;
    // Carries the typed name from the name window to the table.
    QString newPlayerName_;
};
