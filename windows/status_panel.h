#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The left panel: undo button, pegs left, clock, board name and the top player.
class StatusPanel : public QWidget {
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent);

    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* PegLeftTxt = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* TimeTxt = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* TopNameTxt = nullptr;
    QLabel* TopScoreTxt = nullptr;
    QLabel* TopTimeTxt = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Labels of the column default to 8.25 pt "MS Sans Serif".
    QLabel* label(const char* name, const QRect& twips, const QString& text);
};
