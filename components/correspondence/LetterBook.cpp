#include "components/correspondence/LetterBook.h"

#include "components/correspondence/LetterMerge.h"
#include "components/correspondence/LetterSet.h"
#include "core/KProgressReport.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace {

constexpr int kPdfResolution = 1200;
constexpr double kSideMargin = 25;  // mm
constexpr double kTopMargin = 20;   // mm
constexpr double kBottomMargin = 20; // mm

double millimetres(double mm, double dpi) {
    return mm / 25.4 * dpi;
}

} // namespace

LetterBook::LetterBook(const QTextDocument& pattern, const LetterSet& set, std::vector<int> members)
    : m_pattern(pattern), m_set(set), m_members(std::move(members)) {}

QPageLayout LetterBook::pageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

bool LetterBook::paint(QPagedPaintDevice& device, QPainter& painter,
                       KProgressReport* progress) const {
    const double dpi = device.logicalDpiX();
    const QRectF paper(0, 0, device.width(), device.height());
    const QRectF body = paper.adjusted(millimetres(kSideMargin, dpi), millimetres(kTopMargin, dpi),
                                       -millimetres(kSideMargin, dpi),
                                       -millimetres(kBottomMargin, dpi));
    if (progress)
        progress->start(QStringLiteral("De brieven worden gemaakt"),
                        static_cast<std::int64_t>(m_members.size()));
    m_pages = 0;
    std::int64_t done = 0;
    for (int member : m_members) {
        if (progress && !progress->advance(done)) {
            progress->finish();
            return false;
        }
        ++done;
        const std::unique_ptr<QTextDocument> letter = LetterMerge::letter(m_pattern, m_set, member);
        // Laid out at the paper's own resolution, a page of text at a time.
        letter->documentLayout()->setPaintDevice(&device);
        letter->setDocumentMargin(0);
        letter->setPageSize(body.size());
        const int pages = std::max(1, letter->pageCount());
        for (int page = 0; page < pages; ++page) {
            if (m_pages > 0)
                device.newPage();
            ++m_pages;
            painter.save();
            painter.translate(body.left(), body.top() - page * body.height());
            const QRectF visible(0, page * body.height(), body.width(), body.height());
            painter.setClipRect(visible);
            letter->drawContents(&painter, visible);
            painter.restore();
        }
    }
    if (progress) {
        progress->advance(done);
        progress->finish();
    }
    return true;
}

KResult LetterBook::writePdf(const QString& path, KProgressReport* progress) const {
    const auto cannotWrite = [&path] {
        return KResult::failed(QStringLiteral("Kan het bestand %1 niet schrijven.")
                                   .arg(QDir::toNativeSeparators(path)));
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return cannotWrite();
    bool complete = false;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(pageLayout());
        writer.setResolution(kPdfResolution);
        writer.setTitle(QStringLiteral("Brieven"));
        writer.setCreator(QStringLiteral("Korvel"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return cannotWrite();
        }
        complete = paint(writer, painter, progress);
        painter.end();
    }
    if (!complete) {
        file.cancelWriting();
        return KResult::stopped();
    }
    return file.commit() ? KResult::done() : cannotWrite();
}
