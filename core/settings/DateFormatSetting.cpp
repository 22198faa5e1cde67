#include "core/settings/DateFormatSetting.h"

#include "core/format/DateFormat.h"
#include "core/settings/Settings.h"

void LoadDateFormat() {
    DateFormat::setSetting(Settings::dateFormat());
}
