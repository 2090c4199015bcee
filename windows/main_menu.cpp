#include "windows/main_menu.h"

#include "core/board/board_layout.h"
#include "core/rules/game_session.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

MainMenu::MainMenu(QMenuBar* bar) : QObject(bar)
{
    fileMenu = bar->addMenu(tr("&Game"));
    newGameItem = item(fileMenu, tr("&New Game"), "NewGame", false);
    endGameItem = item(fileMenu, tr("&End Game"), "EndGame", false);
    pauseItem = item(fileMenu, tr("Pause Game"), "Pause", true);
    showLastPegItem = item(fileMenu, tr("Show Last Peg"), "ShowLastPeg", false);
    exitItem = item(fileMenu, tr("E&xit"), "Exit", false);

    boardsMenu = bar->addMenu(tr("&Boards"));
    for (std::size_t i = 0; i < boardItems.size(); ++i) {
        const QString name = BoardLayout::forBoard(static_cast<int>(i) + 1).name;
        boardItems[i] = item(boardsMenu, name, qPrintable(QStringLiteral("Level%1").arg(i + 1)), true);
    }

    highScoresMenu = bar->addMenu(tr("&High Scores"));
    const std::array<const char*, 5> tableItems{"ClassicHigh", "Euro1High", "Euro2High", "Square7High", "Square6High"};
    for (std::size_t i = 0; i < highScoreItems.size(); ++i)
        highScoreItems[i] = item(highScoresMenu, BoardLayout::forBoard(static_cast<int>(i) + 1).name, tableItems[i], true);

    styleMenu = bar->addMenu(tr("S&tyle"));
    const std::array<const char*, 4> styles{"Swirl", "Slate", "Aqua", "Cocktail"};
    for (std::size_t i = 0; i < styleItems.size(); ++i)
        styleItems[i] = item(styleMenu, tr(styles[i]), qPrintable(QStringLiteral("Style%1").arg(i + 1)), true);

    soundMenu = bar->addMenu(tr("&Sound"));
    soundOnItem = item(soundMenu, tr("On"), "SoundOn", true);
    soundOffItem = item(soundMenu, tr("Off"), "SoundOff", true);

    musicMenu = bar->addMenu(tr("&Music"));
    musicOnItem = item(musicMenu, tr("On"), "MusicOn", true);
    musicOffItem = item(musicMenu, tr("Off"), "MusicOff", true);

    helpMenu = bar->addMenu(tr("&Help"));
    helpItem = item(helpMenu, tr("Hopnix Help"), "PegHelp", false);
    helpMenu->addSeparator()->setObjectName(QStringLiteral("b1"));
    aboutItem = item(helpMenu, tr("About Hopnix"), "AboutPeg", false);

    fileMenu->setObjectName(QStringLiteral("File"));
    boardsMenu->setObjectName(QStringLiteral("SkillLevel"));
    highScoresMenu->setObjectName(QStringLiteral("HighScoreMenu"));
    styleMenu->setObjectName(QStringLiteral("Style"));
    soundMenu->setObjectName(QStringLiteral("Sound"));
    musicMenu->setObjectName(QStringLiteral("MusicMenu"));
    helpMenu->setObjectName(QStringLiteral("Help"));
}

QAction* MainMenu::item(QMenu* menu, const QString& caption, const char* name, bool checkable)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setCheckable(checkable);
    return action;
}

void MainMenu::onChosen(QAction* item, std::function<void()> handler)
{
    connect(item, &QAction::triggered, this, [item, handler = std::move(handler)] {
        if (item->isCheckable())
            item->setChecked(!item->isChecked());
        handler();
    });
}

namespace {

template <std::size_t N>
void markOne(const std::array<QAction*, N>& items, int number)
{
    for (std::size_t i = 0; i < N; ++i)
        items[i]->setChecked(static_cast<int>(i) + 1 == number);
}

} // namespace

void MainMenu::bindTo(const GameSession& session)
{
    using Phase = GameSession::Phase;
    auto showPhase = [this](Phase phase) {
        newGameItem->setEnabled(phase != Phase::Paused);
        endGameItem->setEnabled(phase != Phase::BetweenGames);
        pauseItem->setEnabled(phase != Phase::BetweenGames);
        pauseItem->setChecked(phase == Phase::Paused);
        boardsMenu->menuAction()->setEnabled(phase == Phase::BetweenGames);
        styleMenu->menuAction()->setEnabled(phase == Phase::BetweenGames);
    };
    auto showBoard = [this](int board) { markOne(boardItems, board); };
    auto showStyle = [this](int style) { markOne(styleItems, style); };
    auto showSound = [this](bool on) {
        soundOnItem->setChecked(on);
        soundOffItem->setChecked(!on);
    };
    auto showMusic = [this](bool on) {
        musicOnItem->setChecked(on);
        musicOffItem->setChecked(!on);
    };
    auto showHighScoreBoard = [this](int board) { markOne(highScoreItems, board); };
    connect(&session, &GameSession::phaseChanged, this, showPhase);
    connect(&session, &GameSession::boardChanged, this, showBoard);
    connect(&session, &GameSession::styleChanged, this, showStyle);
    connect(&session, &GameSession::soundChanged, this, showSound);
    connect(&session, &GameSession::musicChanged, this, showMusic);
    connect(&session, &GameSession::highScoreBoardChanged, this, showHighScoreBoard);
    showPhase(session.phase());
    showBoard(session.boardNumber());
    showStyle(session.style());
    showSound(session.soundOn());
    showMusic(session.musicOn());
    showHighScoreBoard(session.highScoreBoard());
}
