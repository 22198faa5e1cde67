#include "components/print/PrintPreview.h"

#include "components/print/OverviewPages.h"
#include "components/print/PdfFile.h"
#include "progress/KProgressWindow.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kSmallestZoom = 0.2;
constexpr double kLargestZoom = 5;
constexpr double kFinestPreviewDpi = 240;

} // namespace

PrintPreview::PrintPreview(OverviewPages& pages, QWidget* parent)
    : QDialog(parent), m_pages(pages) {
    setWindowTitle(QStringLiteral("Afdrukvoorbeeld"));
    build();
    // Tall enough for a whole page at a readable size, never beyond the screen.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 900);
    resize(std::min(900, room.width() * 9 / 10), std::min(1000, room.height() * 9 / 10));
}

void PrintPreview::build() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* tools = new QToolBar(this);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* print = tools->addAction(QStringLiteral("&Afdrukken..."), this, &PrintPreview::print);
    print->setShortcut(QKeySequence::Print);
    print->setToolTip(QStringLiteral("Druk het overzicht af (Ctrl+P)"));
    QAction* pdf =
        tools->addAction(QStringLiteral("Opslaan als &PDF..."), this, &PrintPreview::choosePdf);
    pdf->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    pdf->setToolTip(QStringLiteral("Bewaar het overzicht als PDF-bestand (Ctrl+S)"));
    tools->addSeparator();
    m_previous = tools->addAction(QStringLiteral("&Vorige"), this,
                                  [this] { showPage(m_page - 1); });
    m_previous->setShortcut(QKeySequence(Qt::Key_PageUp));
    m_previous->setToolTip(QStringLiteral("Vorige pagina (Page Up)"));
    m_pageText = new QLabel(this);
    m_pageText->setContentsMargins(8, 0, 8, 0);
    tools->addWidget(m_pageText);
    m_next = tools->addAction(QStringLiteral("V&olgende"), this, [this] { showPage(m_page + 1); });
    m_next->setShortcut(QKeySequence(Qt::Key_PageDown));
    m_next->setToolTip(QStringLiteral("Volgende pagina (Page Down)"));
    tools->addSeparator();
    QAction* zoomIn =
        tools->addAction(QStringLiteral("&Groter"), this, [this] { setZoom(m_zoom * kZoomStep); });
    zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(QStringLiteral("Ctrl+="))});
    zoomIn->setToolTip(QStringLiteral("Toon de pagina groter (Ctrl++)"));
    QAction* zoomOut =
        tools->addAction(QStringLiteral("&Kleiner"), this, [this] { setZoom(m_zoom / kZoomStep); });
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    zoomOut->setToolTip(QStringLiteral("Toon de pagina kleiner (Ctrl+-)"));
    QAction* fit = tools->addAction(QStringLiteral("Paginabr&eedte"), this, [this] {
        m_fitting = true;
        fitWidth();
    });
    fit->setToolTip(QStringLiteral("Toon de pagina zo breed als het venster"));
    tools->addSeparator();
    m_landscape = tools->addAction(QStringLiteral("&Liggend"));
    m_landscape->setCheckable(true);
    m_landscape->setChecked(m_pages.pageLayout().orientation() == QPageLayout::Landscape);
    m_landscape->setToolTip(QStringLiteral("Leg de pagina dwars"));
    connect(m_landscape, &QAction::toggled, this, &PrintPreview::turn);
    tools->addSeparator();
    QAction* close = tools->addAction(QStringLiteral("&Sluiten"), this, &QDialog::accept);
    close->setToolTip(QStringLiteral("Sluit het afdrukvoorbeeld (Esc)"));
    layout->addWidget(tools);

    m_scroll = new QScrollArea(this);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_image = new QLabel;
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setContentsMargins(12, 12, 12, 12);
    m_scroll->setWidget(m_image);
    m_scroll->setWidgetResizable(false);
    layout->addWidget(m_scroll, 1);
}

void PrintPreview::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_fitting)
        fitWidth();
    else
        render();
}

void PrintPreview::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_fitting && isVisible())
        fitWidth();
}

void PrintPreview::fitWidth() {
    const QSizeF paper = m_pages.pageLayout().fullRect(QPageLayout::Point).size();
    const double room = m_scroll->viewport()->width() - 24 - m_scroll->verticalScrollBar()->sizeHint().width();
    const double dpi = logicalDpiX();
    m_zoom = std::clamp(room / (paper.width() * dpi / 72.0), kSmallestZoom, kLargestZoom);
    render();
}

void PrintPreview::setZoom(double zoom) {
    m_fitting = false;
    m_zoom = std::clamp(zoom, kSmallestZoom, kLargestZoom);
    render();
}

void PrintPreview::showPage(int page) {
    m_page = std::clamp(page, 0, m_pages.pageCount() - 1);
    render();
    m_scroll->verticalScrollBar()->setValue(0);
}

void PrintPreview::render() {
    m_page = std::clamp(m_page, 0, m_pages.pageCount() - 1);
    const double ratio = devicePixelRatioF();
    const double dpi = logicalDpiX() * m_zoom * ratio;
    const QSizeF paper = m_pages.pageLayout().fullRect(QPageLayout::Point).size();
    const QSize shown(static_cast<int>(std::lround(paper.width() * dpi / 72.0)),
                      static_cast<int>(std::lround(paper.height() * dpi / 72.0)));
    // Small type drawn at screen resolution comes out wider than on paper; drawn finer and
    // scaled down, the page looks as it will print.
    const double drawDpi = std::max(dpi, kFinestPreviewDpi);
    QImage image(static_cast<int>(std::lround(paper.width() * drawDpi / 72.0)),
                 static_cast<int>(std::lround(paper.height() * drawDpi / 72.0)),
                 QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = static_cast<int>(std::lround(drawDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        m_pages.paintPage(painter, m_page);
    }
    if (image.size() != shown)
        image = image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(ratio);
    m_image->setPixmap(QPixmap::fromImage(image));
    m_image->adjustSize();
    m_pageText->setText(
        QStringLiteral("Pagina %1 van %2").arg(m_page + 1).arg(m_pages.pageCount()));
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < m_pages.pageCount());
}

void PrintPreview::turn(bool landscape) {
    m_pages.layout(m_pages.pageLayout().pageSize(),
                   landscape ? OverviewPages::Landscape : OverviewPages::Portrait);
    if (m_fitting)
        fitWidth();
    else
        render();
}

void PrintPreview::choosePdf() {
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Opslaan als PDF"), QDir::home().filePath(QStringLiteral("Ledenoverzicht.pdf")),
        QStringLiteral("PDF-bestanden (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    savePdf(path);
}

bool PrintPreview::savePdf(const QString& path) {
    KProgressWindow progress(this);
    const KResult written = PdfFile::write(m_pages, path, windowTitle(), &progress);
    if (written)
        QMessageBox::information(this, QStringLiteral("Opslaan als PDF"),
                                 QStringLiteral("Het overzicht is opgeslagen in %1.")
                                     .arg(QDir::toNativeSeparators(path)));
    else if (written.isFailed())
        QMessageBox::warning(this, QStringLiteral("Opslaan als PDF"), written.reason());
    return written.isDone();
}

void PrintPreview::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_pages.pageLayout());
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Ledenoverzicht"));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Afdrukken"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The paper the user chose decides the pages.
    const QPageLayout chosen = printer.pageLayout();
    m_pages.layout(chosen.pageSize(), chosen.orientation() == QPageLayout::Landscape
                                          ? OverviewPages::Landscape
                                          : OverviewPages::Portrait);
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        QMessageBox::warning(this, QStringLiteral("Afdrukken"),
                             QStringLiteral("Het afdrukken kan niet beginnen."));
        render();
        return;
    }
    KProgressWindow progress(this);
    if (!m_pages.paint(printer, painter, &progress))
        printer.abort();
    painter.end();
    {
        const QSignalBlocker quiet(m_landscape);
        m_landscape->setChecked(chosen.orientation() == QPageLayout::Landscape);
    }
    render();
}
