#include "core/board/display_size_check.h"

#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"

bool DisplaySizeCheck::checkDisplaySize(const SettingsStore& settings)
{
    const QString text = settings.value(SettingsKeys::DpiLogicalx, SettingsKeys::DpiLogicalxDefault);
    bool isNumber = false;
    const int dpi = text.trimmed().toInt(&isNumber);
    return !isNumber || dpi != 120;
}
