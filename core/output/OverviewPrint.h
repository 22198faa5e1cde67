#pragma once

#include "core/KOutcome.h"

#include <string>

class IKPrint;
class KGridSource;

// The member overview as the print component gets it: the program's name and the job's, the
// title line, the grid and today's date in the chosen date format, then the job itself.
namespace OverviewPrint {

inline constexpr const char* kProgram = "Korvel";
inline constexpr const char* kJob = "Overzicht";
inline constexpr const char* kTitleLine = "|Ledenoverzicht|";

// "|" today's date "|", centred on every page.
std::string dateLine();

// Makes the five calls in their order, each whatever the earlier ones returned; with a PDF
// path the job goes straight to that file. The component's statuses end here: Failed, with
// the message the user reads, when any call failed.
KResult print(IKPrint& component, const KGridSource& grid, const std::string& pdfPath = {});

} // namespace OverviewPrint
