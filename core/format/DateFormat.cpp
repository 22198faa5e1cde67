#include "core/format/DateFormat.h"

#include "platform/CodePage.h"
#include "platform/Profile.h"

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
    setSetting(CodePage::fromQString(Profile::readString(
        QStringLiteral("Settings"), QStringLiteral("DateFormat"), QStringLiteral("Standard"))));
}

} // namespace DateFormat
