#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The end-of-game message: "AWESOME!" for a solved board, "GAME OVER" otherwise.
class GameOverFrm : public QDialog {
    Q_OBJECT
public:
    explicit GameOverFrm(int pegsLeft, QWidget* parent = nullptr);

    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;

    void done(int result) override;

Q_SIGNALS:
    // The window is closing, by "OK" or by the close box, and is still on screen.
    void queryUnload();

private:
    bool closing_ = false;
};
