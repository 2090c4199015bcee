#include "ui/form_layout.h"

#include "ui/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

QLabel* FormLayout::label(QWidget* parent, const char* name, const QRect& twips, const QString& text, const QFont& font)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    label->setFont(font);
    // Names, numbers and times are shown as they are, never read as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

void FormLayout::centreOnScreen(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}
