#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks the player for a name after a result has entered a table.
class HewHighScoreFrm : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxNameLength = 12;

    explicit HewHighScoreFrm(QWidget* parent = nullptr);

    // The typed text, exactly: closing by "OK" and by the close box both keep it.
    QString name() const;

    QLabel& Label1() const { return *label1_; }
    QLineEdit& Text1() const { return *text1_; }
    QPushButton& Command1() const { return *command1_; }

private:
    QLabel* label1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QPushButton* command1_ = nullptr;
};
