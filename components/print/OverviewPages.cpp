#include "components/print/OverviewPages.h"

#include "core/KProgressReport.h"
#include "platform/CodePage.h"
#include "platform/GridSource.h"

#include <QColor>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Measures on a reference of high resolution, where fonts are laid out as on paper.
constexpr double kReferenceDpi = 1200;
constexpr double kPoint = 72;
constexpr double kMarginSide = 42.5; // 15 mm
constexpr double kMarginTop = 34;    // 12 mm
constexpr double kMarginBottom = 34;
constexpr double kCellPadding = 4;
constexpr double kRowSpacing = 1.45;
constexpr double kTitlePoints = 14;
constexpr double kDatePoints = 9;
constexpr double kFootPoints = 8;
constexpr double kSmallestBody = 6;
constexpr double kLargestBody = 14;

const QColor kTitleRowFill(0xe4, 0xe8, 0xee);
const QColor kStripeFill(0xf5, 0xf6, 0xf8);
const QColor kRule(0x50, 0x50, 0x50);
const QColor kFootText(0x60, 0x60, 0x60);

const QImage& reference() {
    static const QImage image = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = static_cast<int>(std::lround(kReferenceDpi / 0.0254));
        i.setDotsPerMeterX(dotsPerMeter);
        i.setDotsPerMeterY(dotsPerMeter);
        return i;
    }();
    return image;
}

double lineHeight(const QFont& font) {
    return QFontMetricsF(font, &reference()).height() * kPoint / kReferenceDpi;
}

double textWidth(const QFont& font, const QString& text) {
    return QFontMetricsF(font, &reference()).horizontalAdvance(text) * kPoint / kReferenceDpi;
}

// A whole or decimal number, perhaps signed: such columns are set to the right.
bool isNumber(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        ++at;
    const std::size_t digits = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9')
        ++at;
    if (at == digits)
        return false;
    if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
        const std::size_t fraction = ++at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9')
            ++at;
        if (at == fraction)
            return false;
    }
    return at == text.size();
}

Qt::Alignment horizontal(int alignment) {
    if (alignment >= 3 && alignment <= 5)
        return Qt::AlignHCenter;
    if (alignment >= 6 && alignment <= 8)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

} // namespace

OverviewPages::OverviewPages(const KGridSource& grid, Lines lines)
    : m_grid(grid), m_lines(std::move(lines)) {
    const KGridSource::Font data = grid.dataFont();
    m_family = data.name.empty() ? QStringLiteral("Arial") : CodePage::toQString(data.name);
    m_bold = data.bold;
    m_italic = data.italic;
    m_underline = data.underline;
    m_strikeOut = data.strikethrough;
    m_bodyPoints = std::clamp(data.size > 0 ? data.size : 10.0, kSmallestBody, kLargestBody);
    measure();
    layout(m_size, Automatic);
}

std::array<QString, 3> OverviewPages::segments(const QString& line) {
    std::array<QString, 3> parts;
    const QStringList split = line.split(QLatin1Char('|'));
    for (std::size_t i = 0; i < parts.size() && i < static_cast<std::size_t>(split.size()); ++i)
        parts[i] = split.at(static_cast<qsizetype>(i));
    return parts;
}

QFont OverviewPages::font(double points, bool bold, bool dataCell) const {
    QFont f(m_family);
    f.setStyleHint(QFont::SansSerif);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setPointSizeF(points);
    f.setBold(bold || (dataCell && m_bold));
    if (dataCell) {
        f.setItalic(m_italic);
        f.setUnderline(m_underline);
        f.setStrikeOut(m_strikeOut);
    }
    return f;
}

QString OverviewPages::cell(int row, int col) const {
    QString text = CodePage::toQString(m_grid.cellText(row, col));
    // One line a row.
    for (QChar& c : text)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    return text;
}

void OverviewPages::measure() {
    // The data font's width per byte, so that a column of 100,000 rows is measured by adding.
    const QFont body = font(m_bodyPoints, false, true);
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        m_charWidth[static_cast<std::size_t>(byte)] =
            textWidth(body, CodePage::toQString(std::string_view(&c, 1)));
    }
    const QFont title = font(m_bodyPoints, true);
    const int fixed = std::min(m_grid.fixedRowCount(), m_grid.rowCount());
    m_columns.clear();
    m_naturalWidth = 0;
    for (int col = 0; col < m_grid.colCount(); ++col) {
        if (m_grid.columnHidden(col))
            continue;
        Column column;
        column.col = col;
        double widest = 0;
        for (int row = 0; row < fixed; ++row)
            widest = std::max(widest, textWidth(title, cell(row, col)));
        bool numbers = m_grid.rowCount() > fixed;
        for (int row = fixed; row < m_grid.rowCount(); ++row) {
            const std::string& text = m_grid.cellText(row, col);
            double width = 0;
            for (unsigned char c : text)
                width += m_charWidth[c];
            widest = std::max(widest, width);
            if (numbers && !text.empty() && !isNumber(text))
                numbers = false;
        }
        const int alignment = m_grid.columnAlignment(col);
        column.align = alignment == 9 ? (numbers ? Qt::AlignRight : Qt::AlignLeft)
                                      : horizontal(alignment);
        // A little extra: kerning and rounding on screen never make a text wider than its cell.
        column.natural = std::ceil(widest * 1.02) + 2 * kCellPadding;
        m_naturalWidth += column.natural;
        m_columns.push_back(column);
    }
}

double OverviewPages::headerHeight() const {
    return lineHeight(font(kTitlePoints, true)) + 2 + lineHeight(font(kDatePoints, false)) + 14;
}

void OverviewPages::layout(const QPageSize& size, int orientation) {
    m_size = size.isValid() ? size : QPageSize(QPageSize::A4);
    const QSizeF paper = m_size.size(QPageSize::Point);
    const double narrow = std::min(paper.width(), paper.height()) - 2 * kMarginSide;
    const double wide = std::max(paper.width(), paper.height()) - 2 * kMarginSide;
    if (orientation == Portrait)
        m_orientation = QPageLayout::Portrait;
    else if (orientation == Landscape)
        m_orientation = QPageLayout::Landscape;
    else
        m_orientation = m_naturalWidth <= narrow ? QPageLayout::Portrait : QPageLayout::Landscape;

    const double available = m_orientation == QPageLayout::Portrait ? narrow : wide;
    m_scale = m_naturalWidth > available ? available / m_naturalWidth : 1.0;
    const double extra =
        m_scale < 1 || m_columns.empty() ? 0 : (available - m_naturalWidth) / m_columns.size();
    for (Column& column : m_columns)
        column.width = column.natural * m_scale + extra;

    m_rowHeight = lineHeight(font(m_bodyPoints * m_scale, false, true)) * kRowSpacing;
    const double pageHeight = m_orientation == QPageLayout::Portrait
                                  ? std::max(paper.width(), paper.height())
                                  : std::min(paper.width(), paper.height());
    const double footer = lineHeight(font(kFootPoints, false)) + 8;
    const int titleRows = std::min(m_grid.fixedRowCount(), m_grid.rowCount());
    const double table = pageHeight - kMarginTop - kMarginBottom - headerHeight() - footer -
                         titleRows * m_rowHeight;
    m_rowsPerPage = std::max(1, static_cast<int>(std::floor(table / m_rowHeight)));
    const int dataRows = std::max(0, m_grid.rowCount() - titleRows);
    m_pageCount = std::max(1, (dataRows + m_rowsPerPage - 1) / m_rowsPerPage);
}

QPageLayout OverviewPages::pageLayout() const {
    return QPageLayout(m_size, m_orientation, QMarginsF(0, 0, 0, 0));
}

void OverviewPages::paintLine(QPainter& painter, double u, const QString& line, const QFont& f,
                              double top, double height) const {
    const QSizeF paper = pageLayout().fullRect(QPageLayout::Point).size();
    const QRectF box(kMarginSide * u, top * u, (paper.width() - 2 * kMarginSide) * u, height * u);
    const std::array<QString, 3> parts = segments(line);
    painter.setFont(f);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, parts[0]);
    painter.drawText(box, Qt::AlignHCenter | Qt::AlignVCenter, parts[1]);
    painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, parts[2]);
}

void OverviewPages::paintPage(QPainter& painter, int page) const {
    // Points to device pixels.
    const double u = painter.device()->logicalDpiX() / kPoint;
    const QSizeF paper = pageLayout().fullRect(QPageLayout::Point).size();
    const double left = kMarginSide;
    const double width = paper.width() - 2 * kMarginSide;
    auto box = [u](double x, double y, double w, double h) {
        return QRectF(x * u, y * u, w * u, h * u);
    };
    auto rule = [&](double y, double points) {
        painter.setPen(QPen(kRule, points * u));
        painter.drawLine(QPointF(left * u, y * u), QPointF((left + width) * u, y * u));
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // The title and the date on every page.
    double y = kMarginTop;
    painter.setPen(Qt::black);
    const QFont titleFont = font(kTitlePoints, true);
    const double titleHeight = lineHeight(titleFont);
    paintLine(painter, u, m_lines.title, titleFont, y, titleHeight);
    y += titleHeight + 2;
    const QFont dateFont = font(kDatePoints, false);
    const double dateHeight = lineHeight(dateFont);
    paintLine(painter, u, m_lines.date, dateFont, y, dateHeight);
    y += dateHeight + 6;
    rule(y, 0.75);
    y += 8;

    // The table: the title row, then this page's rows.
    double tableWidth = 0;
    for (const Column& column : m_columns)
        tableWidth += column.width;
    const double padding = kCellPadding * m_scale;
    auto paintRow = [&](int row, const QFont& f, const QColor& fill) {
        if (fill.isValid())
            painter.fillRect(box(left, y, tableWidth, m_rowHeight), fill);
        painter.setPen(Qt::black);
        painter.setFont(f);
        double x = left;
        for (const Column& column : m_columns) {
            painter.drawText(box(x + padding, y, column.width - 2 * padding, m_rowHeight),
                             column.align | Qt::AlignVCenter, cell(row, column.col));
            x += column.width;
        }
        y += m_rowHeight;
    };
    const int titleRows = std::min(m_grid.fixedRowCount(), m_grid.rowCount());
    const QFont titleRowFont = font(m_bodyPoints * m_scale, true);
    for (int row = 0; row < titleRows; ++row)
        paintRow(row, titleRowFont, kTitleRowFill);
    if (titleRows > 0)
        rule(y, 0.75);
    const QFont body = font(m_bodyPoints * m_scale, false, true);
    const int first = titleRows + page * m_rowsPerPage;
    const int last = std::min(m_grid.rowCount(), first + m_rowsPerPage);
    for (int row = first; row < last; ++row)
        paintRow(row, body, (row - titleRows) % 2 ? kStripeFill : QColor());
    if (last > first)
        rule(y, 0.5);

    // The foot: who made it, and the page number.
    const QFont footFont = font(kFootPoints, false);
    const double footHeight = lineHeight(footFont);
    const double footTop = paper.height() - kMarginBottom - footHeight;
    rule(footTop - 4, 0.5);
    painter.setPen(kFootText);
    painter.setFont(footFont);
    QString maker = m_lines.program;
    if (!m_lines.job.isEmpty())
        maker += (maker.isEmpty() ? QString() : QStringLiteral(" \u2013 ")) + m_lines.job;
    painter.drawText(box(left, footTop, width, footHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     maker);
    painter.drawText(box(left, footTop, width, footHeight), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Pagina %1 van %2").arg(page + 1).arg(m_pageCount));
    painter.restore();
}

bool OverviewPages::paint(QPagedPaintDevice& device, QPainter& painter,
                          KProgressReport* progress) const {
    if (progress)
        progress->start(QStringLiteral("Het ledenoverzicht wordt afgedrukt"), m_pageCount);
    for (int page = 0; page < m_pageCount; ++page) {
        if (progress && !progress->advance(page)) {
            progress->finish();
            return false;
        }
        if (page > 0)
            device.newPage();
        paintPage(painter, page);
    }
    if (progress) {
        progress->advance(m_pageCount);
        progress->finish();
    }
    return true;
}
