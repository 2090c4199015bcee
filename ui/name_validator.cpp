#include "ui/name_validator.h"

#include "core/scores/windows_1252.h"

QValidator::State NameValidator::validate(QString& input, int& /*pos*/) const
{
    for (const QChar c : input) {
        if (c == QLatin1Char('"') || c.category() == QChar::Other_Control || !Windows1252::canEncode(c))
            return Invalid;
    }
    return Acceptable;
}
