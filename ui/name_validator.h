#pragma once

#include <QValidator>

// Refuses what a score file cannot give back unchanged: the double quote, control characters and
// anything outside Windows-1252.
class NameValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;
};
