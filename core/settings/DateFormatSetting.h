#pragma once

// Reads DateFormat of section "Settings" from the profile, default "Standard", into the
// program-wide date format (DateFormat::setting()).
void LoadDateFormat();
