#pragma once

#include <string>

// The program-wide date format setting: "Standard" (or empty), "System", or a strftime format.
namespace DateFormat {

const std::string& setting();
void setSetting(const std::string& format);
// Reads DateFormat of section "Settings" from the profile, default "Standard".
void LoadDateFormat();

} // namespace DateFormat

using DateFormat::LoadDateFormat;
