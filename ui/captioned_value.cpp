#include "ui/captioned_value.h"

#include <QAccessibleWidget>

namespace {

class AccessibleCaptionedValue : public QAccessibleWidget {
public:
    explicit AccessibleCaptionedValue(CaptionedValue* value) : QAccessibleWidget(value, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* value = static_cast<const CaptionedValue*>(widget());
        if (t == QAccessible::Name)
            return value->spokenText();
        if (t == QAccessible::Value)
            return value->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* captionedValueFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(CaptionedValue::staticMetaObject.className()) && object && object->isWidgetType())
        return new AccessibleCaptionedValue(static_cast<CaptionedValue*>(object));
    return nullptr;
}

} // namespace

CaptionedValue::CaptionedValue(QLabel* caption, QWidget* parent) : QLabel(parent), caption_(caption)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(captionedValueFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setTextFormat(Qt::PlainText);
    // The buddy makes the caption the box's label for assistive tools; the captions carry no access key.
    caption->setBuddy(this);
}

QString CaptionedValue::spokenText() const
{
    const QString captionText = caption_ ? caption_->text() : QString();
    if (text().isEmpty())
        return captionText;
    return tr("%1: %2").arg(captionText, text());
}
