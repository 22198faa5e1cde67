#include "core/format/DateFormat.h"

#include "core/settings/Settings.h"

namespace {
std::string& current() {
    static std::string format = "Standard";
    return format;
}
} // namespace

namespace DateFormat {

const std::string& setting() {
    return current();
}

void setSetting(const std::string& format) {
    current() = format;
}

void LoadDateFormat() {
    setSetting(Settings::dateFormat());
}

} // namespace DateFormat
