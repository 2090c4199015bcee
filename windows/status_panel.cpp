#include "windows/status_panel.h"

#include "ui/fonts.h"
#include "ui/form_layout.h"
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

    Label4 = label("Label4", {120, 120, 1095, 255}, tr("Peg solitaire"));
    Label6 = label("Label6", {120, 360, 1095, 255}, QStringLiteral("Tarnwick"));
    for (QLabel* notice : {Label4, Label6}) {
        colour(notice, Qt::white);
        notice->setAlignment(Qt::AlignCenter);
    }

    Label5 = label("Label5", {150, 960, 1215, 255}, tr("Undo Move"));
    Command2 = new QPushButton(this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(Twips::rect(450, 1320, 375, 375));
    Command2->setIcon(QIcon(QStringLiteral(":/pictures/undo.png")));
    Command2->setIconSize(QSize(16, 16));
    Command2->setToolTip(tr(" Undo last move "));
    Command2->setAccessibleName(tr("Undo Move"));
    Command2->setFocusPolicy(Qt::NoFocus);
    Command2->setEnabled(false);

    Label1 = label("Label1", {120, 2040, 1215, 255}, tr("# Pegs Left"));
    PegLeftTxt = label("PegLeftTxt", {240, 2280, 735, 255}, QString());
    Label2 = label("Label2", {120, 2880, 1215, 255}, tr("Elapsed Time"));
    TimeTxt = label("TimeTxt", {240, 3120, 735, 255}, QString());
    Label7 = label("Label7", {0, 3960, 1335, 255}, QString());
    Label7->setAlignment(Qt::AlignCenter);
    Label3 = label("Label3", {120, 4560, 1215, 255}, tr("TOP PLAYER"));
    for (QLabel* bold : {Label5, Label1, Label2, Label7, Label3}) {
        bold->setFont(Fonts::msSansSerif(8.25, true));
        colour(bold, labelGrey);
    }
    for (QLabel* box : {PegLeftTxt, TimeTxt}) {
        colour(box, labelGrey, Qt::white);
        box->setFrameShape(QFrame::Box);
        box->setAlignment(Qt::AlignCenter);
    }

    TopNameTxt = label("TopNameTxt", {120, 4800, 1215, 255}, QString());
    TopScoreTxt = label("TopScoreTxt", {120, 5040, 1095, 255}, QString());
    TopTimeTxt = label("TopTimeTxt", {120, 5280, 1095, 255}, QString());
    for (QLabel* top : {TopNameTxt, TopScoreTxt, TopTimeTxt}) {
        top->setFont(Fonts::arial(8.25));
        colour(top, labelGrey, topPlayerGrey);
    }
}


QLabel* StatusPanel::label(const char* name, const QRect& twips, const QString& text)
{
    return FormLayout::label(this, name, twips, text, Fonts::msSansSerif(8.25));
}

void StatusPanel::paintEvent(QPaintEvent*)
{
    static const QPixmap background(QStringLiteral(":/pictures/panel.png"));
    QPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
    painter.drawPixmap(0, 0, background);
}
