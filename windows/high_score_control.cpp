#include "windows/high_score_control.h"

#include "ui/dialogs.h"
#include "windows/main_menu.h"
#include "windows/status_panel.h"
#include "core/board/board_layout.h"
#include "windows/name_entry_window.h"
#include "windows/high_score_window.h"
#include "core/scores/score_store.h"
#include "core/scores/top_player.h"

#include <QAction>
#include <QLabel>

HighScoreControl::HighScoreControl(ScoreStore& scores, Dialogs& dialogs, MainMenu& menu, StatusPanel& panel, QObject* parent)
    : QObject(parent), scores_(scores), dialogs_(dialogs), menu_(menu), panel_(panel)
{
}

void HighScoreControl::CheckForHighScore(int pegsLeft, double elapsedTime)
{
    const int board = BoardLayout::ForBoard(menu_.boardNumber()).number;
    const std::optional<int> position = scores_.table(board).CheckForHighScore(pegsLeft, elapsedTime);
    if (!position)
        return;
    InsertHighScore(*position, pegsLeft, elapsedTime);
    scores_.SaveScoreTable(board);
    ShowTopPlayer();
}

void HighScoreControl::InsertHighScore(int position, int pegsLeft, double elapsedTime)
{
    NewPlayerName.clear();
    HewHighScoreFrm nameWindow;
    dialogs_.exec(nameWindow);
    NewPlayerName = nameWindow.name();
    const int board = BoardLayout::ForBoard(menu_.boardNumber()).number;
    scores_.table(board).InsertHighScore(position, {NewPlayerName, static_cast<qint16>(pegsLeft), elapsedTime});
}

void HighScoreControl::ShowTopPlayer()
{
    const TopPlayer top = TopPlayer::of(scores_.table(BoardLayout::ForBoard(menu_.boardNumber()).number));
    panel_.TopNameTxt->setText(top.TopNameTxt);
    panel_.TopScoreTxt->setText(top.TopScoreTxt);
    panel_.TopTimeTxt->setText(top.TopTimeTxt);
}

void HighScoreControl::HighScoreClick(int boardNumber)
{
    const auto items = menu_.highScoreItems();
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i]->setChecked(static_cast<int>(i) + 1 == boardNumber);
    HighScoreFrm window(BoardLayout::ForBoard(boardNumber).name, scores_.table(boardNumber));
    dialogs_.exec(window);
}
