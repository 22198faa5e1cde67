#pragma once

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// Writes a zip archive of the given parts, as an .xlsx workbook or an .ods spreadsheet is one.
inline bool writeZip(const QString& path, const std::vector<std::pair<QString, QByteArray>>& parts) {
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto& [name, data] : parts) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)) || file.write(data) != data.size())
            return false;
        file.close();
    }
    zip.close();
    return zip.getZipError() == 0;
}

// A workbook of one or more sheets, as a spreadsheet program writes it: the package's
// relationships, the workbook with its sheets, their relationships, the shared strings and the
// cell formats. Each sheet is the <sheetData> of a worksheet.
struct XlsxParts {
    std::vector<std::pair<QString, QByteArray>> sheets; // name, sheetData
    QByteArray sharedStrings;                            // the <si> items
    QByteArray cellFormats = R"(<xf numFmtId="0"/>)";    // the <xf> items of <cellXfs>
    QByteArray numberFormats;                            // the <numFmt> items
    bool date1904 = false;

    bool write(const QString& path) const {
        const QByteArray ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
        const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
        std::vector<std::pair<QString, QByteArray>> parts;
        parts.emplace_back(
            QStringLiteral("_rels/.rels"),
            R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type=")" +
                rel + R"(/officeDocument" Target="xl/workbook.xml"/></Relationships>)");
        QByteArray workbook = "<?xml version=\"1.0\"?><workbook xmlns=\"" + ns + "\" xmlns:r=\"" +
                              rel + "\"><workbookPr date1904=\"" + (date1904 ? "1" : "0") +
                              "\"/><sheets>";
        QByteArray rels = R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            const QByteArray n = QByteArray::number(static_cast<int>(i) + 1);
            workbook += "<sheet name=\"" + sheets[i].first.toUtf8() + "\" sheetId=\"" + n +
                        "\" r:id=\"rId" + n + "\"/>";
            rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + rel +
                    "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
            parts.emplace_back(QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1),
                               "<?xml version=\"1.0\"?><worksheet xmlns=\"" + ns +
                                   "\"><sheetData>" + sheets[i].second +
                                   "</sheetData></worksheet>");
        }
        rels += "<Relationship Id=\"rS\" Type=\"" + rel +
                "/sharedStrings\" Target=\"sharedStrings.xml\"/><Relationship Id=\"rT\" Type=\"" +
                rel + "/styles\" Target=\"/xl/styles.xml\"/></Relationships>";
        parts.emplace_back(QStringLiteral("xl/workbook.xml"), workbook + "</sheets></workbook>");
        parts.emplace_back(QStringLiteral("xl/_rels/workbook.xml.rels"), rels);
        parts.emplace_back(QStringLiteral("xl/sharedStrings.xml"),
                           "<?xml version=\"1.0\"?><sst xmlns=\"" + ns + "\">" + sharedStrings +
                               "</sst>");
        parts.emplace_back(QStringLiteral("xl/styles.xml"),
                           "<?xml version=\"1.0\"?><styleSheet xmlns=\"" + ns + "\"><numFmts>" +
                               numberFormats + "</numFmts><cellXfs>" + cellFormats +
                               "</cellXfs></styleSheet>");
        return writeZip(path, parts);
    }
};

// An OpenDocument spreadsheet whose body holds the given tables (<table:table> elements).
inline bool writeOds(const QString& path, const QByteArray& tables) {
    const QByteArray content =
        R"(<?xml version="1.0" encoding="UTF-8"?><office:document-content )"
        R"(xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" )"
        R"(xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" )"
        R"(xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" )"
        R"(xmlns:dc="http://purl.org/dc/elements/1.1/"><office:body><office:spreadsheet>)" +
        tables + "</office:spreadsheet></office:body></office:document-content>";
    return writeZip(path, {{QStringLiteral("mimetype"),
                            "application/vnd.oasis.opendocument.spreadsheet"},
                           {QStringLiteral("content.xml"), content}});
}
