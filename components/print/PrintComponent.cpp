#include "components/print/PrintComponent.h"

#include "components/print/OverviewPages.h"
#include "components/print/PdfFile.h"
#include "components/print/PrintPreview.h"
#include "progress/KProgressWindow.h"
#include "components/support/QtDutch.h"
#include "platform/CodePage.h"

#include <QApplication>
#include <QGuiApplication>

#include <optional>

namespace {

QString text(const char* bytes) {
    return bytes ? CodePage::toQString(bytes) : QString();
}

} // namespace

KStatus PrintComponent::BeginJob(const char* program, const char* job) {
    m_program = text(program);
    m_job = text(job);
    m_title.clear();
    m_date.clear();
    m_outputFile.clear();
    m_orientation = OverviewPages::Automatic;
    m_grid = nullptr;
    m_pageCount = 0;
    return KStatusCode::ok;
}

KStatus PrintComponent::SetOutputFile(const char* pdfPath) {
    m_outputFile = text(pdfPath);
    return KStatusCode::ok;
}

KStatus PrintComponent::SetOrientation(std::int32_t orientation) {
    if (orientation < OverviewPages::Automatic || orientation > OverviewPages::Landscape)
        return KStatusCode::invalidArgument;
    m_orientation = orientation;
    return KStatusCode::ok;
}

KStatus PrintComponent::SetGrid(const KGridSource* grid) {
    m_grid = grid;
    return KStatusCode::ok;
}

KStatus PrintComponent::GetPageCount(std::int32_t* pages) {
    if (!pages)
        return KStatusCode::pointer;
    *pages = m_pageCount;
    return KStatusCode::ok;
}

KStatus PrintComponent::SetTitleLine(const char* line) {
    m_title = text(line);
    return KStatusCode::ok;
}

KStatus PrintComponent::SetDateLine(const char* line) {
    m_date = text(line);
    return KStatusCode::ok;
}

KStatus PrintComponent::PrintJob(std::int32_t flags) {
    (void)flags;
    // Fonts need the application's windowing system; the preview needs widgets.
    if (!m_grid || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return KStatusCode::fail;
    OverviewPages pages(*m_grid, {m_program, m_job, m_title, m_date});
    pages.layout(QPageSize(QPageSize::A4), m_orientation);
    const bool widgets = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
    if (!m_outputFile.isEmpty()) {
        std::optional<KProgressWindow> progress;
        if (widgets)
            progress.emplace(QApplication::activeWindow());
        const KResult written =
            PdfFile::write(pages, m_outputFile, m_job, progress ? &*progress : nullptr);
        m_pageCount = pages.pageCount();
        // The component answers its caller in status codes.
        return written ? KStatusCode::ok : KStatusCode::fail;
    }
    if (!widgets)
        return KStatusCode::fail;
    QtDutch dutch;
    PrintPreview preview(pages, QApplication::activeWindow());
    preview.exec();
    m_pageCount = pages.pageCount();
    return KStatusCode::ok;
}
