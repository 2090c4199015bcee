#pragma once

#include <QDialog>

#include <array>

class HighScoreTable;
class QLabel;
class QPushButton;

// The modal table of one board's five best results.
class HighScoreFrm : public QDialog {
    Q_OBJECT
public:
    static constexpr int Rows = 5;
    inline static const QString PicturePath = QStringLiteral(":/pictures/highscore_panel.png");

    HighScoreFrm(const QString& boardName, const HighScoreTable& table, QWidget* parent = nullptr);

    QLabel& Picture1() const { return *picture1_; }
    QLabel& Label1() const { return *label1_; }
    // Rows 1..5, as in the table.
    QLabel& NameLbl(int row) const { return *nameLbl_[index(row)]; }
    QLabel& ScoreLbl(int row) const { return *scoreLbl_[index(row)]; }
    QLabel& TimeTxt(int row) const { return *timeTxt_[index(row)]; }
    QPushButton& Command1() const { return *command1_; }

private:
    static std::size_t index(int row);
    QLabel* rowLabel(int left, int row, int width, Qt::Alignment alignment);

    QLabel* picture1_ = nullptr;
    QLabel* label1_ = nullptr;
    std::array<QLabel*, Rows> nameLbl_{};
    std::array<QLabel*, Rows> scoreLbl_{};
    std::array<QLabel*, Rows> timeTxt_{};
    QPushButton* command1_ = nullptr;
};
