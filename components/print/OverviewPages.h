#pragma once

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <array>
#include <string>
#include <string_view>
#include <vector>

class KGridSource;
class KProgressReport;
class QPagedPaintDevice;
class QPainter;

// The member overview on paper: the grid's visible columns and rows as a table under the title
// and date lines, the title row repeated on every page, the page number at the foot. Columns
// get the width of their widest text; when they do not fit across a portrait page the page
// turns, and when they do not fit across a landscape page the whole table is set smaller, so
// that no text is ever cut. Everything is measured in points and drawn at the device's own
// resolution.
class OverviewPages {
public:
    enum Orientation { Automatic = 0, Portrait = 1, Landscape = 2 };

    struct Lines {
        QString program;
        QString job;
        QString title; // "|left|centre|right"
        QString date;
    };

    OverviewPages(const KGridSource& grid, Lines lines);

    // Lays the pages out on paper of that size; Automatic turns the page when the columns need
    // it.
    void layout(const QPageSize& size, int orientation);
    // The paper as laid out, without margins of its own: the pages draw their own.
    QPageLayout pageLayout() const;
    int pageCount() const { return m_pageCount; }
    // The scale the table is set in, 1 when it fits.
    double tableScale() const { return m_scale; }

    // Draws one page, from 0, on a painter whose device has the paper's size.
    void paintPage(QPainter& painter, int page) const;
    // Draws every page on the device, a new page between them. False when the progress asked
    // to stop.
    bool paint(QPagedPaintDevice& device, QPainter& painter, KProgressReport* progress) const;

    // The left, centre and right segments of a line ("|Ledenoverzicht|" is centred).
    static std::array<QString, 3> segments(const QString& line);

private:
    struct Column {
        int col = 0;
        double natural = 0; // points, padding included
        double width = 0;   // as laid out
        Qt::Alignment align = Qt::AlignLeft;
    };

    void measure();
    // The table's font at that size; bold for the title row. Data cells keep the grid's style.
    QFont font(double points, bool bold, bool dataCell = false) const;
    double headerHeight() const;
    void paintLine(QPainter& painter, double u, const QString& line, const QFont& font, double top,
                   double height) const;
    QString cell(int row, int col) const;

    const KGridSource& m_grid;
    Lines m_lines;
    QString m_family;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikeOut = false;
    double m_bodyPoints = 10;
    std::array<double, 256> m_charWidth{}; // points per byte of the data font at m_bodyPoints
    std::vector<Column> m_columns;
    double m_naturalWidth = 0;

    QPageSize m_size = QPageSize(QPageSize::A4);
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    double m_scale = 1;
    double m_rowHeight = 0;
    int m_rowsPerPage = 1;
    int m_pageCount = 1;
};
