#include "core/format/DateFormat.h"

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

} // namespace DateFormat
