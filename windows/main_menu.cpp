#include "windows/main_menu.h"

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
    EndGame->setEnabled(false);
    Pause->setEnabled(false);

    SkillLevel = bar->addMenu(tr("&Boards"));
    const std::array<const char*, 5> boards{"Classic", "European 1", "European 2", "Square 7x7", "Square 6x6"};
    for (std::size_t i = 0; i < Level.size(); ++i)
        Level[i] = item(SkillLevel, tr(boards[i]), qPrintable(QStringLiteral("Level%1").arg(i + 1)), true);
    Level[0]->setChecked(true);

    HighScoreMenu = bar->addMenu(tr("&High Scores"));
    ClassicHigh = item(HighScoreMenu, tr("Classic"), "ClassicHigh", true);
    Euro1High = item(HighScoreMenu, tr("European 1"), "Euro1High", true);
    Euro2High = item(HighScoreMenu, tr("European 2"), "Euro2High", true);
    Square7High = item(HighScoreMenu, tr("Square 7x7"), "Square7High", true);
    Square6High = item(HighScoreMenu, tr("Square 6x6"), "Square6High", true);

    Style = bar->addMenu(tr("S&tyle"));
    const std::array<const char*, 4> styles{"Swirl", "Slate", "Aqua", "Cocktail"};
    for (std::size_t i = 0; i < StyleItem.size(); ++i)
        StyleItem[i] = item(Style, tr(styles[i]), qPrintable(QStringLiteral("Style%1").arg(i + 1)), true);
    StyleItem[1]->setChecked(true);

    Sound = bar->addMenu(tr("&Sound"));
    SoundOn = item(Sound, tr("On"), "SoundOn", true);
    SoundOff = item(Sound, tr("Off"), "SoundOff", true);
    SoundOn->setChecked(true);

    MusicMenu = bar->addMenu(tr("&Music"));
    MusicOn = item(MusicMenu, tr("On"), "MusicOn", true);
    MusicOff = item(MusicMenu, tr("Off"), "MusicOff", true);
    MusicOn->setChecked(true);

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

int MainMenu::boardNumber() const
{
    for (std::size_t i = 0; i < Level.size(); ++i)
        if (Level[i]->isChecked())
            return static_cast<int>(i) + 1;
    return 0;
}
