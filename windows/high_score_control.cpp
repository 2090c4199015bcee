#include "windows/high_score_control.h"

#include "ui/dialogs.h"
#include "core/rules/game_session.h"
#include "windows/status_panel.h"
#include "core/board/board_layout.h"
#include "windows/name_entry_window.h"
#include "windows/high_score_window.h"
#include "core/scores/score_store.h"
#include "core/scores/top_player.h"

#include <QLabel>
#include <QWidget>

HighScoreControl::HighScoreControl(ScoreStore& scores, Dialogs& dialogs, GameSession& session, StatusPanel& panel, QWidget* window)
    : QObject(window), scores_(scores), dialogs_(dialogs), session_(session), panel_(panel), window_(window)
{
}

void HighScoreControl::checkForHighScore(int pegsLeft, double elapsedTime)
{
    const int board = BoardLayout::forBoard(session_.boardNumber()).number;
    const std::optional<int> position = scores_.table(board).checkForHighScore(pegsLeft, elapsedTime);
    if (!position)
        return;
    insertHighScore(*position, pegsLeft, elapsedTime);
    scores_.saveScoreTable(board);
    showTopPlayer();
}

void HighScoreControl::insertHighScore(int position, int pegsLeft, double elapsedTime)
{
    newPlayerName_.clear();
    NameEntryWindow nameWindow;
    dialogs_.exec(window_, nameWindow);
    newPlayerName_ = nameWindow.name();
    const int board = BoardLayout::forBoard(session_.boardNumber()).number;
    scores_.table(board).insertHighScore(position, {newPlayerName_, static_cast<qint16>(pegsLeft), elapsedTime});
}

void HighScoreControl::showTopPlayer()
{
    const TopPlayer top = TopPlayer::of(scores_.table(BoardLayout::forBoard(session_.boardNumber()).number));
    panel_.topName->setText(top.topName);
    panel_.topScore->setText(top.topScore);
    panel_.topTime->setText(top.topTime);
}

void HighScoreControl::showHighScores(int boardNumber)
{
    session_.setHighScoreBoard(boardNumber);
    HighScoreWindow window(BoardLayout::forBoard(boardNumber).name, scores_.table(boardNumber));
    dialogs_.exec(window_, window);
}
