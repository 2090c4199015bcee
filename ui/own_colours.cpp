#include "ui/own_colours.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace {

void setInAllGroups(QPalette& palette, QPalette::ColorRole role, const QColor& colour)
{
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, colour);
}

} // namespace

QColor OwnColours::face()
{
    return {236, 233, 216};
}

QColor OwnColours::greyText()
{
    return {128, 128, 128};
}

void OwnColours::setLightFace(QWidget& widget)
{
    QPalette palette = widget.palette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        setInAllGroups(palette, role, face());
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        setInAllGroups(palette, role, Qt::black);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, greyText());
    setInAllGroups(palette, QPalette::Base, Qt::white);
    setInAllGroups(palette, QPalette::Light, Qt::white);
    setInAllGroups(palette, QPalette::Midlight, face().lighter(105));
    setInAllGroups(palette, QPalette::Mid, face().darker(130));
    setInAllGroups(palette, QPalette::Dark, QColor(128, 128, 128));
    setInAllGroups(palette, QPalette::Shadow, QColor(64, 64, 64));
    setInAllGroups(palette, QPalette::ToolTipBase, QColor(255, 255, 225));
    setInAllGroups(palette, QPalette::ToolTipText, Qt::black);
    widget.setPalette(palette);
}

void OwnColours::setWhitePage(QWidget& widget)
{
    QPalette palette = widget.palette();
    setInAllGroups(palette, QPalette::Base, Qt::white);
    setInAllGroups(palette, QPalette::Text, Qt::black);
    widget.setPalette(palette);
}

void OwnColours::setDisabledTextBox(QWidget& widget)
{
    QPalette palette = widget.palette();
    setInAllGroups(palette, QPalette::Base, Qt::white);
    setInAllGroups(palette, QPalette::Text, greyText());
    widget.setPalette(palette);
}
