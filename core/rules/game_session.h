#pragma once

#include "core/rules/game.h"
#include "core/rules/game_clock.h"

#include <QObject>

// The life of the game behind the main window: the board in play and its rules, whether a game
// runs or is paused, the switches of the menus and what undo allows. Windows show this state and
// turn the player's actions into calls; every call that the state does not allow changes nothing.
class GameSession : public QObject {
    Q_OBJECT
public:
    enum class Phase { BetweenGames, Playing, Paused };

    explicit GameSession(const TimeSource& time, QObject* parent = nullptr);

    const Game& game() const { return game_; }
    Board& board() { return game_.board(); }
    const GameClock& clock() const { return clock_; }

    Phase phase() const { return phase_; }
    bool inGame() const { return phase_ != Phase::BetweenGames; }
    int boardNumber() const { return boardNumber_; }
    int style() const { return style_; }
    bool soundOn() const { return soundOn_; }
    bool musicOn() const { return musicOn_; }
    // The tune starts with the first game played with music on, and only then.
    bool musicStarted() const { return musicStarted_; }
    // The board whose table the High Scores menu marks; 0 before any table was shown.
    int highScoreBoard() const { return highScoreBoard_; }
    // The Undo button: a jump to take back in a game that is not over.
    bool undoAvailable() const { return inGame() && game_.canUndo(); }

    // Between games only.
    bool chooseBoard(int boardNumber);
    bool chooseStyle(int style);
    void setSoundOn(bool on);
    void setMusicOn(bool on);
    void setHighScoreBoard(int boardNumber);
    // Start-up: nothing is selected and the tune has not started yet.
    void clearSelectionAndMusicStarted();
    void markMusicStarted() { musicStarted_ = true; }

    // Not while paused. Fills the board, empties its start hole and starts the clock.
    bool newGame();
    // Pause and go on; only in a game.
    bool togglePause();
    // Gives the game up (going on first if paused); the board is filled again.
    bool endGame();
    // Only while playing. The jump that leaves no move ends the game and stops the clock.
    ClickOutcome clickCell(int row, int col);
    // Only while playing, with a jump to take back.
    bool undo();
    // The clock's one-second tick, only while playing.
    void tick();

Q_SIGNALS:
    void phaseChanged(GameSession::Phase phase);
    void boardChanged(int boardNumber);
    void styleChanged(int style);
    void soundChanged(bool on);
    void musicChanged(bool on);
    void highScoreBoardChanged(int boardNumber);
    void undoAvailableChanged(bool available);

private:
    void setPhase(Phase phase);
    // Runs change, then tells listeners whether undo became (un)available.
    template <typename Change>
    void watchingUndo(Change change);

    Game game_;
    GameClock clock_;
    Phase phase_ = Phase::BetweenGames;
    int boardNumber_ = 1;
    int style_ = 2;
    bool soundOn_ = true;
    bool musicOn_ = true;
    bool musicStarted_ = false;
    int highScoreBoard_ = 0;
};
