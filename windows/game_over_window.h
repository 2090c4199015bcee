#pragma once

#include "ui/unloading_dialog.h"

class QLabel;
class QPushButton;

// The end-of-game message: "AWESOME!" for a solved board, "GAME OVER" otherwise.
class GameOverWindow : public UnloadingDialog {
    Q_OBJECT
public:
    explicit GameOverWindow(int pegsLeft, QWidget* parent = nullptr);

    QLabel* heading = nullptr;
    QLabel* message = nullptr;
    QPushButton* okButton = nullptr;
};
