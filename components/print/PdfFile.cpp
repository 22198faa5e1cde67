#include "components/print/PdfFile.h"

#include "components/print/OverviewPages.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

constexpr int kPdfResolution = 1200;

KResult cannotWrite(const QString& path) {
    return KResult::failed(QStringLiteral("Kan het bestand %1 niet schrijven.")
                               .arg(QDir::toNativeSeparators(path)));
}

} // namespace

namespace PdfFile {

KResult write(const OverviewPages& pages, const QString& path, const QString& title,
              KProgressReport* progress) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return cannotWrite(path);
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
            return cannotWrite(path);
        }
        complete = pages.paint(writer, painter, progress);
        painter.end();
    }
    if (!complete) {
        file.cancelWriting();
        return KResult::stopped();
    }
    return file.commit() ? KResult::done() : cannotWrite(path);
}

} // namespace PdfFile
