#pragma once

#include "core/KOutcome.h"

#include <QString>

class KProgressReport;
class OverviewPages;

namespace PdfFile {

// Writes every page of the overview to a PDF file in one piece: an existing file is replaced
// only when the whole document was written. Failed with the Dutch reason, or Stopped.
KResult write(const OverviewPages& pages, const QString& path, const QString& title,
             KProgressReport* progress = nullptr);

} // namespace PdfFile
