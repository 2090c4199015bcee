#pragma once

#include "ui/unloading_dialog.h"

class QLabel;
class QPushButton;

// The end-of-game message: "AWESOME!" for a solved board, "GAME OVER" otherwise.
class GameOverFrm : public UnloadingDialog {
    Q_OBJECT
public:
    explicit GameOverFrm(int pegsLeft, QWidget* parent = nullptr);

    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;
};
