#pragma once

#include <QLabel>
#include <QPointer>

// A value box under its caption. It shows only the value; assistive tools hear the caption with it
// ("# Pegs Left: 31") and find the caption as its label.
class CaptionedValue : public QLabel {
    Q_OBJECT
public:
    CaptionedValue(QLabel* caption, QWidget* parent);

    // The caption and the value as one phrase; just the caption while the box is empty.
    QString spokenText() const;

private:
    QPointer<QLabel> caption_;
};
