#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The left panel: undo button, pegs left, clock, board name and the top player.
class StatusPanel : public QWidget {
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent);

    QLabel* titleLabel = nullptr;
    QLabel* companyLabel = nullptr;
    QLabel* undoCaption = nullptr;
    QPushButton* undoButton = nullptr;
    QLabel* pegsLeftCaption = nullptr;
    QLabel* pegsLeftValue = nullptr;
    QLabel* timeCaption = nullptr;
    QLabel* timeValue = nullptr;
    QLabel* boardNameLabel = nullptr;
    QLabel* topPlayerCaption = nullptr;
    QLabel* topName = nullptr;
    QLabel* topScore = nullptr;
    QLabel* topTime = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Labels of the column default to 8.25 pt "MS Sans Serif".
    QLabel* label(const char* name, const QRect& twips, const QString& text);
    // A value box that assistive tools hear together with its caption.
    QLabel* captionedValue(const char* name, const QRect& twips, QLabel* caption);
};
