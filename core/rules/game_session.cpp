#include "core/rules/game_session.h"

#include "core/board/board_layout.h"

GameSession::GameSession(const TimeSource& time, QObject* parent) : QObject(parent), clock_(time)
{
}

template <typename Change>
void GameSession::watchingUndo(Change change)
{
    const bool before = undoAvailable();
    change();
    if (undoAvailable() != before)
        Q_EMIT undoAvailableChanged(undoAvailable());
}

void GameSession::setPhase(Phase phase)
{
    if (phase == phase_)
        return;
    watchingUndo([&] { phase_ = phase; });
    Q_EMIT phaseChanged(phase_);
}

bool GameSession::chooseBoard(int boardNumber)
{
    if (inGame() || boardNumber < 1 || boardNumber > BoardLayout::Count)
        return false;
    boardNumber_ = boardNumber;
    game_.chooseBoard(boardNumber);
    Q_EMIT boardChanged(boardNumber_);
    return true;
}

bool GameSession::chooseStyle(int style)
{
    if (inGame())
        return false;
    style_ = style;
    Q_EMIT styleChanged(style_);
    return true;
}

void GameSession::setSoundOn(bool on)
{
    soundOn_ = on;
    Q_EMIT soundChanged(on);
}

void GameSession::setMusicOn(bool on)
{
    musicOn_ = on;
    Q_EMIT musicChanged(on);
}

void GameSession::setHighScoreBoard(int boardNumber)
{
    highScoreBoard_ = boardNumber;
    Q_EMIT highScoreBoardChanged(boardNumber);
}

void GameSession::clearSelectionAndMusicStarted()
{
    game_.clearSelection();
    musicStarted_ = false;
}

bool GameSession::newGame()
{
    if (phase_ == Phase::Paused)
        return false;
    watchingUndo([this] {
        game_.board().setUpPieces();
        game_.board().fillBoard();
        game_.clearSelection();
        game_.setStartHole(boardNumber_);
        game_.setNumberPegged(boardNumber_);
    });
    clock_.start();
    setPhase(Phase::Playing);
    return true;
}

bool GameSession::togglePause()
{
    if (phase_ == Phase::Playing) {
        clock_.pauseStarted();
        setPhase(Phase::Paused);
        return true;
    }
    if (phase_ == Phase::Paused) {
        clock_.pauseEnded();
        setPhase(Phase::Playing);
        return true;
    }
    return false;
}

bool GameSession::endGame()
{
    if (!inGame())
        return false;
    if (phase_ == Phase::Paused)
        togglePause();
    setPhase(Phase::BetweenGames);
    game_.board().fillBoard();
    return true;
}

ClickOutcome GameSession::clickCell(int row, int col)
{
    if (phase_ != Phase::Playing)
        return ClickOutcome::Refused;
    ClickOutcome outcome = ClickOutcome::Refused;
    watchingUndo([&] { outcome = game_.clickCell(row, col); });
    if (outcome == ClickOutcome::Jumped && game_.noMovesLeft())
        setPhase(Phase::BetweenGames);
    return outcome;
}

bool GameSession::undo()
{
    if (phase_ != Phase::Playing)
        return false;
    bool undone = false;
    watchingUndo([&] { undone = game_.undo(); });
    return undone;
}

void GameSession::tick()
{
    if (phase_ == Phase::Playing)
        clock_.tick();
}
