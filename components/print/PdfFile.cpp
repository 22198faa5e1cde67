#include "components/print/PdfFile.h"

#include "components/print/OverviewPages.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

constexpr int kPdfResolution = 1200;

} // namespace

namespace PdfFile {

Result write(const OverviewPages& pages, const QString& path, const QString& title,
             KProgressReport* progress) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Result::Failed;
    bool complete = false;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(pages.pageLayout());
        writer.setResolution(kPdfResolution);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Korvel"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return Result::Failed;
        }
        complete = pages.paint(writer, painter, progress);
        painter.end();
    }
    if (!complete) {
        file.cancelWriting();
        return Result::Stopped;
    }
    return file.commit() ? Result::Written : Result::Failed;
}

} // namespace PdfFile
