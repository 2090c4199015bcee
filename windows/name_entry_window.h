#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks the player for a name after a result has entered a table.
class NameEntryWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxNameLength = 12;

    explicit NameEntryWindow(QWidget* parent = nullptr);

    // The typed text, exactly: closing by "OK" and by the close box both keep it.
    QString name() const;

    QLabel& prompt() const { return *promptLabel_; }
    QLineEdit& nameBox() const { return *nameBox_; }
    QPushButton& okButton() const { return *okButton_; }

private:
    QLabel* promptLabel_ = nullptr;
    QLineEdit* nameBox_ = nullptr;
    QPushButton* okButton_ = nullptr;
};
