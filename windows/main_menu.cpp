#include "windows/main_menu.h"

#include "core/board/board_layout.h"
#include "core/rules/game_session.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

MainMenu::MainMenu(QMenuBar* bar) : QObject(bar)
{
    File = bar->addMenu(tr("&Game"));
    NewGame = item(File, tr("&New Game"), "NewGame", false);
    EndGame = item(File, tr("&End Game"), "EndGame", false);
    Pause = item(File, tr("Pause Game"), "Pause", true);
    ShowLastPeg = item(File, tr("Show Last Peg"), "ShowLastPeg", false);
    Exit = item(File, tr("E&xit"), "Exit", false);

    SkillLevel = bar->addMenu(tr("&Boards"));
    for (std::size_t i = 0; i < Level.size(); ++i) {
        const QString name = BoardLayout::forBoard(static_cast<int>(i) + 1).name;
        Level[i] = item(SkillLevel, name, qPrintable(QStringLiteral("Level%1").arg(i + 1)), true);
    }

    HighScoreMenu = bar->addMenu(tr("&High Scores"));
    const std::array<const char*, 5> tableItems{"ClassicHigh", "Euro1High", "Euro2High", "Square7High", "Square6High"};
    for (std::size_t i = 0; i < HighScoreItem.size(); ++i)
        HighScoreItem[i] = item(HighScoreMenu, BoardLayout::forBoard(static_cast<int>(i) + 1).name, tableItems[i], true);

    Style = bar->addMenu(tr("S&tyle"));
    const std::array<const char*, 4> styles{"Swirl", "Slate", "Aqua", "Cocktail"};
    for (std::size_t i = 0; i < StyleItem.size(); ++i)
        StyleItem[i] = item(Style, tr(styles[i]), qPrintable(QStringLiteral("Style%1").arg(i + 1)), true);

    Sound = bar->addMenu(tr("&Sound"));
    SoundOn = item(Sound, tr("On"), "SoundOn", true);
    SoundOff = item(Sound, tr("Off"), "SoundOff", true);

    MusicMenu = bar->addMenu(tr("&Music"));
    MusicOn = item(MusicMenu, tr("On"), "MusicOn", true);
    MusicOff = item(MusicMenu, tr("Off"), "MusicOff", true);

    Help = bar->addMenu(tr("&Help"));
    PegHelp = item(Help, tr("Hopnix Help"), "PegHelp", false);
    Help->addSeparator()->setObjectName(QStringLiteral("b1"));
    AboutPeg = item(Help, tr("About Hopnix"), "AboutPeg", false);

    File->setObjectName(QStringLiteral("File"));
    SkillLevel->setObjectName(QStringLiteral("SkillLevel"));
    HighScoreMenu->setObjectName(QStringLiteral("HighScoreMenu"));
    Style->setObjectName(QStringLiteral("Style"));
    Sound->setObjectName(QStringLiteral("Sound"));
    MusicMenu->setObjectName(QStringLiteral("MusicMenu"));
    Help->setObjectName(QStringLiteral("Help"));
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
        NewGame->setEnabled(phase != Phase::Paused);
        EndGame->setEnabled(phase != Phase::BetweenGames);
        Pause->setEnabled(phase != Phase::BetweenGames);
        Pause->setChecked(phase == Phase::Paused);
        SkillLevel->menuAction()->setEnabled(phase == Phase::BetweenGames);
        Style->menuAction()->setEnabled(phase == Phase::BetweenGames);
    };
    auto showBoard = [this](int board) { markOne(Level, board); };
    auto showStyle = [this](int style) { markOne(StyleItem, style); };
    auto showSound = [this](bool on) {
        SoundOn->setChecked(on);
        SoundOff->setChecked(!on);
    };
    auto showMusic = [this](bool on) {
        MusicOn->setChecked(on);
        MusicOff->setChecked(!on);
    };
    auto showHighScoreBoard = [this](int board) { markOne(HighScoreItem, board); };
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
