#include "core/import/KOdsReader.h"

#include "core/KProgressReport.h"
#include "core/import/KImportTable.h"
#include "core/import/KZipPackage.h"

#include <QDate>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

const QString kContent = QStringLiteral("content.xml");
const QString kTableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kOfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kTextNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");

constexpr int kMaxRows = 1048576;

bool is(const QXmlStreamReader& xml, const QString& ns, QLatin1String name) {
    return xml.namespaceUri() == ns && xml.name() == name;
}

QString attribute(const QXmlStreamReader& xml, const QString& ns, QLatin1String name) {
    return xml.attributes().value(ns, name).toString();
}

int repeats(const QXmlStreamReader& xml, QLatin1String name, int most) {
    bool ok = false;
    const int n = attribute(xml, kTableNs, name).toInt(&ok);
    return ok && n > 1 ? std::min(n, most) : 1;
}

// The text of a paragraph and what it holds: spans, links, spaces, tabs and line breaks. Notes
// and annotations are no part of it.
void paragraphText(QXmlStreamReader& xml, QString& text) {
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::Characters) {
            text += xml.text();
        } else if (token == QXmlStreamReader::StartElement) {
            if (is(xml, kTextNs, QLatin1String("s"))) {
                bool ok = false;
                const int n = attribute(xml, kTextNs, QLatin1String("c")).toInt(&ok);
                text += QString(ok && n > 0 ? std::min(n, 1000) : 1, u' ');
                xml.skipCurrentElement();
            } else if (is(xml, kTextNs, QLatin1String("tab"))) {
                text += u'\t';
                xml.skipCurrentElement();
            } else if (is(xml, kTextNs, QLatin1String("line-break"))) {
                text += u'\n';
                xml.skipCurrentElement();
            } else if (is(xml, kOfficeNs, QLatin1String("annotation")) ||
                       is(xml, kTextNs, QLatin1String("note"))) {
                xml.skipCurrentElement();
            } else {
                paragraphText(xml, text);
            }
        } else if (token == QXmlStreamReader::EndElement) {
            return;
        }
    }
}

// A cell: its value by type and the text of its paragraphs. The reader stands on the cell's
// start and ends on its end.
KImportCell readCell(QXmlStreamReader& xml) {
    QString type = attribute(xml, kOfficeNs, QLatin1String("value-type"));
    const QString value = attribute(xml, kOfficeNs, QLatin1String("value"));
    const QString date = attribute(xml, kOfficeNs, QLatin1String("date-value"));
    const QString boolean = attribute(xml, kOfficeNs, QLatin1String("boolean-value"));
    QString text;
    bool firstParagraph = true;
    while (xml.readNextStartElement()) {
        if (is(xml, kTextNs, QLatin1String("p"))) {
            if (!firstParagraph)
                text += u'\n';
            firstParagraph = false;
            paragraphText(xml, text);
        } else {
            xml.skipCurrentElement(); // annotations, drawings
        }
    }
    if (type == QLatin1String("float") || type == QLatin1String("percentage") ||
        type == QLatin1String("currency")) {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (ok)
            return KImportCell::ofNumber(number, text);
    } else if (type == QLatin1String("date")) {
        const QDate d = QDate::fromString(date.left(10), Qt::ISODate);
        if (d.isValid())
            return KImportCell::ofDate(d, text);
    } else if (type == QLatin1String("boolean")) {
        return KImportCell::ofBoolean(boolean == QLatin1String("true"), text);
    }
    return KImportCell::ofText(text);
}

} // namespace

KResult KOdsReader::damaged() const {
    return KResult::failed(
        QStringLiteral("Het OpenDocument-rekenblad is beschadigd: de inhoud kan niet worden "
                       "gelezen."));
}

KResult KOdsReader::open() {
    QIODevice* device = m_zip.openEntry(kContent);
    if (!device)
        return KResult::failed(QStringLiteral("Het zip-archief bevat geen OpenDocument-rekenblad."));
    QXmlStreamReader xml(device);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            is(xml, kTableNs, QLatin1String("table"))) {
            m_sheetNames.append(attribute(xml, kTableNs, QLatin1String("name")));
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError())
        return damaged();
    if (m_sheetNames.isEmpty())
        return KResult::failed(QStringLiteral("Het rekenblad bevat geen werkblad."));
    return KResult::done();
}

KResult KOdsReader::readSheet(int index, KImportTable& table, KProgressReport* progress) {
    if (index < 0 || index >= m_sheetNames.size())
        return KResult::failed(QStringLiteral("Het rekenblad heeft geen werkblad %1.").arg(index + 1));
    QIODevice* device = m_zip.openEntry(kContent);
    if (!device)
        return damaged();
    if (progress)
        progress->start(QStringLiteral("Werkblad %1 wordt gelezen").arg(m_sheetNames.at(index)), 0);
    QXmlStreamReader xml(device);
    int tables = -1;
    bool stopped = false;
    while (!xml.atEnd() && !stopped) {
        if (xml.readNext() != QXmlStreamReader::StartElement ||
            !is(xml, kTableNs, QLatin1String("table")))
            continue;
        if (++tables != index) {
            xml.skipCurrentElement();
            continue;
        }
        // Rows may stand in header-row, row-group and rows elements; a table inside a cell
        // is read as part of the cell and never reaches here.
        int rowNumber = 0;
        int depth = 0;
        while (!xml.atEnd() && !stopped) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::EndElement) {
                if (depth-- == 0)
                    break;
                continue;
            }
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (!is(xml, kTableNs, QLatin1String("table-row"))) {
                const bool container = is(xml, kTableNs, QLatin1String("table-header-rows")) ||
                                       is(xml, kTableNs, QLatin1String("table-row-group")) ||
                                       is(xml, kTableNs, QLatin1String("table-rows"));
                if (container)
                    ++depth;
                else
                    xml.skipCurrentElement();
                continue;
            }
            const int rowRepeats =
                repeats(xml, QLatin1String("number-rows-repeated"), kMaxRows - rowNumber);
            std::vector<KImportCell> cells;
            int column = 0; // empty cells after the last that holds something are not kept
            while (xml.readNextStartElement()) {
                const bool cellElement = is(xml, kTableNs, QLatin1String("table-cell")) ||
                                         is(xml, kTableNs, QLatin1String("covered-table-cell"));
                if (!cellElement) {
                    xml.skipCurrentElement();
                    continue;
                }
                const int most = KImportTable::kMaxColumns - column;
                const int cellRepeats =
                    repeats(xml, QLatin1String("number-columns-repeated"), std::max(most, 1));
                KImportCell cell = readCell(xml);
                if (!cell.isBlank()) {
                    if (most <= 0)
                        return damaged();
                    cells.resize(static_cast<std::size_t>(column));
                    for (int i = 0; i < cellRepeats; ++i)
                        cells.push_back(cell);
                }
                column += cellRepeats;
            }
            // A repeated empty row counts its rows; one that holds something is written out.
            const int written = cells.empty() ? 1 : rowRepeats;
            for (int i = 0; i < written; ++i)
                table.addRow(cells, rowNumber + i + 1);
            rowNumber += rowRepeats;
            if (rowNumber >= kMaxRows)
                break;
            if (progress && rowNumber % 1000 == 0 && !progress->advance(rowNumber))
                stopped = true;
        }
        break;
    }
    if (progress)
        progress->finish();
    if (stopped)
        return KResult::stopped();
    if (xml.hasError())
        return damaged();
    return table.finish();
}
