#pragma once

#include <QObject>
#include <array>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;

class GameSession;

// The main window's menu tree. Its check marks and enabled states show the game session's state.
class MainMenu : public QObject {
    Q_OBJECT
public:
    explicit MainMenu(QMenuBar* bar);

    // Runs handler when the player chooses item; Qt's own toggling of the mark is undone first,
    // so handlers see the marks as they were and write them themselves.
    void onChosen(QAction* item, std::function<void()> handler);

    // Marks and enabled states follow the session from now on.
    void bindTo(const GameSession& session);

    QMenu* File = nullptr;
    QAction* NewGame = nullptr;
    QAction* EndGame = nullptr;
    QAction* Pause = nullptr;
    QAction* ShowLastPeg = nullptr;
    QAction* Exit = nullptr;

    QMenu* SkillLevel = nullptr;
    std::array<QAction*, 5> Level{};

    QMenu* HighScoreMenu = nullptr;
    std::array<QAction*, 5> HighScoreItem{};

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


private:
    QAction* item(QMenu* menu, const QString& caption, const char* name, bool checkable);
};
