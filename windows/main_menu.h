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

    QMenu* fileMenu = nullptr;
    QAction* newGameItem = nullptr;
    QAction* endGameItem = nullptr;
    QAction* pauseItem = nullptr;
    QAction* showLastPegItem = nullptr;
    QAction* exitItem = nullptr;

    QMenu* boardsMenu = nullptr;
    std::array<QAction*, 5> boardItems{};

    QMenu* highScoresMenu = nullptr;
    std::array<QAction*, 5> highScoreItems{};

    QMenu* styleMenu = nullptr;
    std::array<QAction*, 4> styleItems{};

    QMenu* soundMenu = nullptr;
    QAction* soundOnItem = nullptr;
    QAction* soundOffItem = nullptr;

    QMenu* musicMenu = nullptr;
    QAction* musicOnItem = nullptr;
    QAction* musicOffItem = nullptr;

    QMenu* helpMenu = nullptr;
    QAction* helpItem = nullptr;
    QAction* aboutItem = nullptr;


private:
    QAction* item(QMenu* menu, const QString& caption, const char* name, bool checkable);
};
