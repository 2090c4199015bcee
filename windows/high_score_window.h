#pragma once

#include <QDialog>

#include <array>

class HighScoreTable;
class QLabel;
class QPushButton;

// The modal table of one board's five best results.
class HighScoreWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int Rows = 5;
    inline static const QString PicturePath = QStringLiteral(":/pictures/highscore_panel.png");

    HighScoreWindow(const QString& boardName, const HighScoreTable& table, QWidget* parent = nullptr);

    QLabel& picture() const { return *picture_; }
    QLabel& title() const { return *titleLabel_; }
    // Rows 1..5, as in the table.
    QLabel& nameLabel(int row) const { return *nameLabels_[index(row)]; }
    QLabel& scoreLabel(int row) const { return *scoreLabels_[index(row)]; }
    QLabel& timeLabel(int row) const { return *timeLabels_[index(row)]; }
    QPushButton& okButton() const { return *okButton_; }

private:
    static std::size_t index(int row);
    QLabel* rowLabel(int left, int row, int width, Qt::Alignment alignment);

    QLabel* picture_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    std::array<QLabel*, Rows> nameLabels_{};
    std::array<QLabel*, Rows> scoreLabels_{};
    std::array<QLabel*, Rows> timeLabels_{};
    QPushButton* okButton_ = nullptr;
};
