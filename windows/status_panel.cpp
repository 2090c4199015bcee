#include "windows/status_panel.h"

#include "ui/captioned_value.h"
#include "ui/fonts.h"
#include "ui/form_layout.h"
#include "ui/own_colours.h"
#include "ui/smooth_pictures.h"
#include "ui/built_in_picture.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

const QColor labelGrey(64, 64, 64);
const QColor topPlayerGrey(224, 224, 224);

void colour(QLabel* label, const QColor& text, const QColor& background = QColor())
{
    QString css = QStringLiteral("color: %1;").arg(text.name());
    if (background.isValid())
        css += QStringLiteral(" background-color: %1;").arg(background.name());
    label->setStyleSheet(css);
}

} // namespace

StatusPanel::StatusPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture2"));
    setGeometry(Twips::rect(0, 0, 1455, 5895));
    // The column paints its own picture, so the undo button and the tool tip keep the light face too.
    OwnColours::setLightFace(*this);

    titleLabel = label("titleLabel", {120, 120, 1095, 255}, tr("Peg solitaire"));
    companyLabel = label("companyLabel", {120, 360, 1095, 255}, QStringLiteral("Tarnwick"));
    for (QLabel* notice : {titleLabel, companyLabel}) {
        colour(notice, Qt::white);
        notice->setAlignment(Qt::AlignCenter);
    }

    undoCaption = label("undoCaption", {150, 960, 1215, 255}, tr("Undo Move"));
    undoButton = new QPushButton(this);
    undoButton->setObjectName(QStringLiteral("undoButton"));
    undoButton->setGeometry(Twips::rect(450, 1320, 375, 375));
    undoButton->setIcon(SmoothPictures::icon(QStringLiteral(":/pictures/undo.png")));
    undoButton->setIconSize(QSize(16, 16));
    undoButton->setToolTip(tr(" Undo last move "));
    undoButton->setAccessibleName(tr("Undo Move"));
    // Tab reaches it from the board; a mouse click leaves the focus where it was.
    undoButton->setFocusPolicy(Qt::TabFocus);
    undoButton->setEnabled(false);

    pegsLeftCaption = label("pegsLeftCaption", {120, 2040, 1215, 255}, tr("# Pegs Left"));
    pegsLeftValue = captionedValue("pegsLeftValue", {240, 2280, 735, 255}, pegsLeftCaption);
    timeCaption = label("timeCaption", {120, 2880, 1215, 255}, tr("Elapsed Time"));
    timeValue = captionedValue("timeValue", {240, 3120, 735, 255}, timeCaption);
    boardNameLabel = label("boardNameLabel", {0, 3960, 1335, 255}, QString());
    boardNameLabel->setAlignment(Qt::AlignCenter);
    topPlayerCaption = label("topPlayerCaption", {120, 4560, 1215, 255}, tr("TOP PLAYER"));
    for (QLabel* bold : {undoCaption, pegsLeftCaption, timeCaption, boardNameLabel, topPlayerCaption}) {
        bold->setFont(Fonts::msSansSerif(8.25, true));
        colour(bold, labelGrey);
    }
    for (QLabel* box : {pegsLeftValue, timeValue}) {
        colour(box, labelGrey, Qt::white);
        box->setFrameShape(QFrame::Box);
        box->setAlignment(Qt::AlignCenter);
    }

    topName = label("topName", {120, 4800, 1215, 255}, QString());
    topScore = label("topScore", {120, 5040, 1095, 255}, QString());
    topTime = label("topTime", {120, 5280, 1095, 255}, QString());
    for (QLabel* top : {topName, topScore, topTime}) {
        top->setFont(Fonts::arial(8.25));
        colour(top, labelGrey, topPlayerGrey);
    }
}

QLabel* StatusPanel::label(const char* name, const QRect& twips, const QString& text)
{
    return FormLayout::label(this, name, twips, text, Fonts::msSansSerif(8.25));
}

QLabel* StatusPanel::captionedValue(const char* name, const QRect& twips, QLabel* caption)
{
    auto* value = new CaptionedValue(caption, this);
    value->setObjectName(QLatin1String(name));
    value->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    value->setFont(Fonts::msSansSerif(8.25));
    return value;
}

void StatusPanel::paintEvent(QPaintEvent*)
{
    static const QPixmap background = BuiltInPicture::load(QStringLiteral(":/pictures/panel.png"));
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), QColor(128, 128, 128));
    painter.drawPixmap(0, 0, background);
}
