#include "windows/high_score_window.h"

#include "ui/fonts.h"
#include "ui/own_colours.h"
#include "ui/smooth_pictures.h"
#include "ui/twips.h"
#include "core/scores/high_score_row.h"
#include "core/scores/high_score_table.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {

constexpr int FirstRowTop = 720;
constexpr int RowPitch = 360;
constexpr int RowHeight = 255;

} // namespace

HighScoreWindow::HighScoreWindow(const QString& boardName, const HighScoreTable& table, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setWindowTitle(QStringLiteral("High Scores"));
    setFixedSize(Twips::size(4440, 3690));

    picture_ = new QLabel(this);
    picture_->setGeometry(Twips::rect(120, 120, 4215, 2775));
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Dark text and rule on the parchment, whatever the desktop's colours; without the picture the
    // panel is plain and light, and the table still shows.
    OwnColours::setLightFace(*picture_);
    picture_->setAutoFillBackground(true);
    const QPixmap background(PicturePath);
    if (!background.isNull())
        picture_->setPixmap(SmoothPictures::forRatio(background, devicePixelRatioF()));

    titleLabel_ = new QLabel(QStringLiteral("Top Players - ") + boardName, picture_);
    titleLabel_->setGeometry(Twips::rect(480, 120, 3135, 375));
    titleLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    titleLabel_->setFont(Fonts::msSansSerif(12));
    titleLabel_->setTextFormat(Qt::PlainText);

    auto* line1 = new QFrame(picture_);
    line1->setFrameStyle(QFrame::HLine | QFrame::Plain);
    line1->setLineWidth(1);
    line1->setGeometry(Twips::toPixels(240), Twips::toPixels(480), Twips::toPixels(3840 - 240), 1);

    const auto rows = HighScoreRow::rowsOf(table);
    for (int row = 1; row <= Rows; ++row) {
        // The last name cell is wider than the others.
        const int nameWidth = row == Rows ? 1575 : 1455;
        nameLabels_[index(row)] = rowLabel(120, row, nameWidth, Qt::AlignLeft);
        scoreLabels_[index(row)] = rowLabel(1800, row, 1095, Qt::AlignRight);
        timeLabels_[index(row)] = rowLabel(3000, row, 975, Qt::AlignRight);
        const HighScoreRow& texts = rows[index(row)];
        nameLabel(row).setText(texts.name);
        scoreLabel(row).setText(texts.pegs);
        timeLabel(row).setText(texts.time);
    }

    okButton_ = new QPushButton(QStringLiteral("Close"), this);
    okButton_->setGeometry(Twips::rect(1800, 3120, 855, 375));
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

std::size_t HighScoreWindow::index(int row)
{
    Q_ASSERT(row >= 1 && row <= Rows);
    return static_cast<std::size_t>(row - 1);
}

QLabel* HighScoreWindow::rowLabel(int left, int row, int width, Qt::Alignment alignment)
{
    auto* label = new QLabel(picture_);
    label->setGeometry(Twips::rect(left, FirstRowTop + RowPitch * (row - 1), width, RowHeight));
    label->setAlignment(alignment | Qt::AlignTop);
    label->setFont(Fonts::msSansSerif(8.25, true));
    // Names are shown as stored, never as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}
