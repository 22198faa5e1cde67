#pragma once

#include <string>

// The program-wide date format setting: "Standard" (or empty), "System", or a strftime format.
// It is read from the profile by LoadDateFormat (core/settings/DateFormatSetting.h): the formats
// know nothing of the profile.
namespace DateFormat {

const std::string& setting();
void setSetting(const std::string& format);

} // namespace DateFormat
