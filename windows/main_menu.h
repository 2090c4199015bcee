#pragma once

#include <QObject>
#include <array>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;

// The main window's menu tree. Check marks and enabled states are the game's state: code asks them.
class MainMenu : public QObject {
    Q_OBJECT
public:
    explicit MainMenu(QMenuBar* bar);

    // Runs handler when the player chooses item; Qt's own toggling of the mark is undone first,
    // so handlers see the marks as they were and write them themselves.
    void onChosen(QAction* item, std::function<void()> handler);

    // The first checked item of Level1..Level5, as a board number 1..5; 0 when none is checked.
    int boardNumber() const;

    QMenu* File = nullptr;
    QAction* NewGame = nullptr;
    QAction* EndGame = nullptr;
    QAction* Pause = nullptr;
    QAction* ShowLastPeg = nullptr;
    QAction* Exit = nullptr;

    QMenu* SkillLevel = nullptr;
    std::array<QAction*, 5> Level{};

    QMenu* HighScoreMenu = nullptr;
    QAction* ClassicHigh = nullptr;
    QAction* Euro1High = nullptr;
    QAction* Euro2High = nullptr;
    QAction* Square7High = nullptr;
    QAction* Square6High = nullptr;

    QMenu* Style = nullptr;
    std::array<QAction*, 4> StyleItem{};

    QMenu* Sound = nullptr;
    QAction* SoundOn = nullptr;
    QAction* SoundOff = nullptr;

    QMenu* MusicMenu = nullptr;
    QAction* MusicOn = nullptr;
    QAction* MusicOff = nullptr;

    QMenu* Help = nullptr;
    QAction* PegHelp = nullptr;
    QAction* AboutPeg = nullptr;

    std::array<QAction*, 5> highScoreItems() const { return {ClassicHigh, Euro1High, Euro2High, Square7High, Square6High}; }

private:
    QAction* item(QMenu* menu, const QString& caption, const char* name, bool checkable);
};
