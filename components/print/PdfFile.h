#pragma once

#include <QString>

class KProgressReport;
class OverviewPages;

namespace PdfFile {

enum class Result { Written, Failed, Stopped };

// Writes every page of the overview to a PDF file in one piece: an existing file is replaced
// only when the whole document was written.
Result write(const OverviewPages& pages, const QString& path, const QString& title,
             KProgressReport* progress = nullptr);

} // namespace PdfFile
