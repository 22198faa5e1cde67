#include "core/import/KXlsxReader.h"

#include "core/KProgressReport.h"
#include "core/import/KImportTable.h"
#include "core/import/KZipPackage.h"

#include <QDate>
#include <QDir>
#include <QMap>
#include <QXmlStreamReader>

#include <cmath>

namespace {

constexpr int kMaxRows = 1048576;

QString directoryOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return slash < 0 ? QString() : part.left(slash + 1);
}

QString resolve(const QString& base, const QString& target) {
    if (target.startsWith(u'/'))
        return QDir::cleanPath(target.mid(1));
    return QDir::cleanPath(directoryOf(base) + target);
}

QString relationshipsOf(const QString& part) {
    return directoryOf(part) + QStringLiteral("_rels/") + part.mid(directoryOf(part).size()) +
           QStringLiteral(".rels");
}

// The attribute of that local name in any namespace: Office Open XML comes in two sets of
// namespaces (transitional and strict).
QString attribute(const QXmlStreamReader& xml, QLatin1String name) {
    for (const QXmlStreamAttribute& a : xml.attributes())
        if (a.name() == name)
            return a.value().toString();
    return {};
}

// The text of a string item (<si> or <is>): its <t>, or the <t> of each run; phonetic runs
// are left out.
QString stringItem(QXmlStreamReader& xml) {
    QString text;
    int depth = 0;
    bool phonetic = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("t")) {
                // Read to its end: the depth stays as it was.
                const QString piece = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (!phonetic)
                    text += piece;
                continue;
            }
            ++depth;
            if (xml.name() == QLatin1String("rPh"))
                phonetic = true;
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == 0)
                break;
            if (xml.name() == QLatin1String("rPh"))
                phonetic = false;
            --depth;
        }
    }
    return text;
}

// "B12" gives column 1 and row 12; false when it is no cell reference.
bool cellReference(QStringView ref, int& col, int& row) {
    qsizetype i = 0;
    int c = 0;
    while (i < ref.size() && ref[i] >= u'A' && ref[i] <= u'Z') {
        c = c * 26 + (ref[i].unicode() - u'A' + 1);
        if (c > KImportTable::kMaxColumns)
            return false;
        ++i;
    }
    if (i == 0 || i == ref.size())
        return false;
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (!ok || r < 1 || r > kMaxRows)
        return false;
    col = c - 1;
    row = r;
    return true;
}

} // namespace

QDate KXlsxReader::serialDate(double serial, bool date1904) {
    if (!std::isfinite(serial) || serial < 0 || serial > 2958465)
        return {};
    const auto day = static_cast<qint64>(std::floor(serial));
    if (date1904)
        return QDate(1904, 1, 1).addDays(day);
    // The 1900 system counts a 29 February 1900 that never was: day 60.
    if (day == 60 || day == 0)
        return {};
    return day < 60 ? QDate(1899, 12, 31).addDays(day) : QDate(1899, 12, 30).addDays(day);
}

bool KXlsxReader::isDateFormat(int id, const QString& code) {
    if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
        (id >= 50 && id <= 58))
        return true;
    if (code.isEmpty())
        return false;
    bool quoted = false;
    int bracket = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i; // the next character stands for itself, or for its width
        } else if (c == u'[') {
            ++bracket;
        } else if (c == u']') {
            bracket = std::max(0, bracket - 1);
        } else if (bracket == 0) {
            const QChar l = c.toLower();
            if (l == u'd' || l == u'm' || l == u'y' || l == u'h' || l == u's')
                return true;
            if (l == u'g' && code.mid(i, 7).compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
                i += 6;
        }
    }
    return false;
}

KResult KXlsxReader::damaged(const QString& part) const {
    return KResult::failed(
        QStringLiteral("De Excel-werkmap is beschadigd: het onderdeel %1 kan niet worden gelezen.")
            .arg(part));
}

KResult KXlsxReader::readRelationships(const QString& part, std::vector<Relationship>& out) {
    QIODevice* device = m_zip.openEntry(part);
    if (!device)
        return KResult::done(); // a part without relationships
    // The relationships of the package itself (_rels/.rels) point from its root.
    const QString from = part.startsWith(QLatin1String("_rels/"))
                             ? QString()
                             : directoryOf(directoryOf(part).chopped(1)) +
                                   part.mid(directoryOf(part).size()).chopped(5);
    QXmlStreamReader xml(device);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement ||
            xml.name() != QLatin1String("Relationship"))
            continue;
        out.push_back({attribute(xml, QLatin1String("Id")), attribute(xml, QLatin1String("Type")),
                       resolve(from, attribute(xml, QLatin1String("Target")))});
    }
    return xml.hasError() ? damaged(part) : KResult::done();
}

KResult KXlsxReader::readSharedStrings(const QString& part) {
    QIODevice* device = m_zip.openEntry(part);
    if (!device)
        return KResult::done();
    QXmlStreamReader xml(device);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("si"))
            m_strings.append(stringItem(xml));
    }
    return xml.hasError() ? damaged(part) : KResult::done();
}

KResult KXlsxReader::readStyles(const QString& part) {
    QIODevice* device = m_zip.openEntry(part);
    if (!device)
        return KResult::done();
    QXmlStreamReader xml(device);
    QMap<int, QString> codes;
    bool inCellFormats = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("numFmt")) {
                codes.insert(attribute(xml, QLatin1String("numFmtId")).toInt(),
                             attribute(xml, QLatin1String("formatCode")));
            } else if (xml.name() == QLatin1String("cellXfs")) {
                inCellFormats = true;
            } else if (inCellFormats && xml.name() == QLatin1String("xf")) {
                const int id = attribute(xml, QLatin1String("numFmtId")).toInt();
                m_dateStyle.push_back(isDateFormat(id, codes.value(id)));
            }
        } else if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("cellXfs")) {
            inCellFormats = false;
        }
    }
    return xml.hasError() ? damaged(part) : KResult::done();
}

KResult KXlsxReader::open() {
    std::vector<Relationship> package;
    if (KResult r = readRelationships(QStringLiteral("_rels/.rels"), package); !r.isDone())
        return r;
    QString workbook = QStringLiteral("xl/workbook.xml");
    for (const Relationship& rel : package)
        if (rel.type.endsWith(QLatin1String("/officeDocument")))
            workbook = rel.target;
    if (!m_zip.has(workbook))
        return KResult::failed(QStringLiteral("Het zip-archief bevat geen Excel-werkmap."));

    std::vector<Relationship> parts;
    if (KResult r = readRelationships(relationshipsOf(workbook), parts); !r.isDone())
        return r;
    QMap<QString, QString> byId;
    QString strings = QStringLiteral("xl/sharedStrings.xml");
    QString styles = QStringLiteral("xl/styles.xml");
    for (const Relationship& rel : parts) {
        byId.insert(rel.id, rel.target);
        if (rel.type.endsWith(QLatin1String("/sharedStrings")))
            strings = rel.target;
        else if (rel.type.endsWith(QLatin1String("/styles")))
            styles = rel.target;
    }

    QIODevice* device = m_zip.openEntry(workbook);
    if (!device)
        return damaged(workbook);
    QXmlStreamReader xml(device);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("workbookPr")) {
            const QString system = attribute(xml, QLatin1String("date1904"));
            m_date1904 = system == QLatin1String("1") || system == QLatin1String("true");
        } else if (xml.name() == QLatin1String("sheet")) {
            const QString part = byId.value(attribute(xml, QLatin1String("id")));
            if (!part.isEmpty() && m_zip.has(part)) {
                m_sheetNames.append(attribute(xml, QLatin1String("name")));
                m_sheetParts.append(part);
            }
        }
    }
    if (xml.hasError())
        return damaged(workbook);
    if (m_sheetNames.isEmpty())
        return KResult::failed(QStringLiteral("De Excel-werkmap bevat geen werkblad."));
    if (KResult r = readSharedStrings(strings); !r.isDone())
        return r;
    return readStyles(styles);
}

KResult KXlsxReader::readSheet(int index, KImportTable& table, KProgressReport* progress) {
    if (index < 0 || index >= m_sheetParts.size())
        return KResult::failed(QStringLiteral("De werkmap heeft geen werkblad %1.").arg(index + 1));
    const QString part = m_sheetParts.at(index);
    QIODevice* device = m_zip.openEntry(part);
    if (!device)
        return damaged(part);
    if (progress)
        progress->start(QStringLiteral("Werkblad %1 wordt gelezen").arg(m_sheetNames.at(index)), 0);
    QXmlStreamReader xml(device);
    std::vector<KImportCell> cells;
    int rowNumber = 0;
    bool inRow = false;
    bool stopped = false;
    while (!xml.atEnd() && !stopped) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("row")) {
            table.addRow(std::move(cells), rowNumber);
            cells.clear();
            inRow = false;
            if (progress && rowNumber % 1000 == 0 && !progress->advance(rowNumber))
                stopped = true;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("row")) {
            bool ok = false;
            const int r = attribute(xml, QLatin1String("r")).toInt(&ok);
            const int next = ok ? r : rowNumber + 1;
            if (next <= rowNumber || next > kMaxRows)
                return damaged(part);
            rowNumber = next;
            inRow = true;
            continue;
        }
        if (xml.name() != QLatin1String("c") || !inRow)
            continue;

        int col = static_cast<int>(cells.size());
        int row = rowNumber;
        if (col >= KImportTable::kMaxColumns)
            return damaged(part);
        const QString ref = attribute(xml, QLatin1String("r"));
        if (!ref.isEmpty() && (!cellReference(ref, col, row) || row != rowNumber ||
                               col < static_cast<int>(cells.size())))
            return damaged(part);
        const QString type = attribute(xml, QLatin1String("t"));
        const int style = attribute(xml, QLatin1String("s")).toInt();
        QString value;
        QString inline_;
        bool hasInline = false;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("v")) {
                value = xml.readElementText();
            } else if (xml.name() == QLatin1String("is")) {
                inline_ = stringItem(xml);
                hasInline = true;
            } else {
                xml.skipCurrentElement();
            }
        }
        if (xml.hasError())
            break;

        KImportCell cell;
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int i = value.toInt(&ok);
            if (!ok || i < 0 || i >= m_strings.size())
                return damaged(part);
            cell = KImportCell::ofText(m_strings.at(i));
        } else if (type == QLatin1String("inlineStr") || hasInline) {
            cell = KImportCell::ofText(inline_);
        } else if (type == QLatin1String("str") || type == QLatin1String("e")) {
            cell = KImportCell::ofText(value);
        } else if (type == QLatin1String("b")) {
            cell = KImportCell::ofBoolean(value.trimmed() == QLatin1String("1"));
        } else if (type == QLatin1String("d")) {
            const QDate date = QDate::fromString(value.left(10), Qt::ISODate);
            cell = date.isValid() ? KImportCell::ofDate(date) : KImportCell::ofText(value);
        } else if (!value.isEmpty()) {
            bool ok = false;
            const double number = value.toDouble(&ok);
            if (!ok)
                return damaged(part);
            const bool dated = style >= 0 && static_cast<std::size_t>(style) < m_dateStyle.size() &&
                               m_dateStyle[static_cast<std::size_t>(style)];
            const QDate date = dated ? serialDate(number, m_date1904) : QDate();
            cell = date.isValid() ? KImportCell::ofDate(date) : KImportCell::ofNumber(number);
        }
        cells.resize(static_cast<std::size_t>(col));
        cells.push_back(std::move(cell));
    }
    if (progress)
        progress->finish();
    if (stopped)
        return KResult::stopped();
    if (xml.hasError())
        return damaged(part);
    return table.finish();
}
