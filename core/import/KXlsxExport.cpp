#include "core/import/KXlsxExport.h"

#include "core/KProgressReport.h"
#include "core/contrib/KOverview.h"
#include "core/document/CKorvelDoc.h"
#include "core/format/Numbers.h"
#include "core/table/MemberColumns.h"
#include "core/table/MemberOrder.h"
#include "platform/CodePage.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <unordered_set>

namespace {

constexpr double kWidest = 60;
const char* const kEuro = "\xE2\x82\xAC #,##0.00;\xE2\x82\xAC -#,##0.00";

// The serial day of a date in the 1900 system, which counts a 29 February 1900 that never was.
double serialOf(KDateValue date) {
    const QDate d(date.Year(), date.Month(), date.Day());
    if (!d.isValid() || d.year() < 1900)
        return -1;
    return static_cast<double>(QDate(1899, 12, 30).daysTo(d));
}

QString reason(lxw_error error) {
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("er is niet genoeg geheugen");
    case LXW_ERROR_CREATING_XLSX_FILE:
        return QStringLiteral("het bestand kan niet worden gemaakt");
    case LXW_ERROR_CREATING_TMPFILE:
        return QStringLiteral("er kan geen tijdelijk bestand worden gemaakt");
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return QStringLiteral("een tekst is langer dan een cel kan bevatten (32.767 tekens)");
    default:
        return QStringLiteral("het schrijven is mislukt (fout %1 van de werkmapschrijver)")
            .arg(static_cast<int>(error));
    }
}

// Writes one sheet after the other; the first failure is kept.
class Writer {
public:
    explicit Writer(const QString& path) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        m_book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
        if (!m_book)
            return;
        m_bold = workbook_add_format(m_book);
        format_set_bold(m_bold);
        m_boldEuro = workbook_add_format(m_book);
        format_set_bold(m_boldEuro);
        format_set_num_format(m_boldEuro, kEuro);
        m_euro = workbook_add_format(m_book);
        format_set_num_format(m_euro, kEuro);
        m_date = workbook_add_format(m_book);
        format_set_num_format(m_date, "dd-mm-yyyy");
    }
    ~Writer() {
        if (m_book)
            workbook_close(m_book);
    }

    bool ok() const { return m_book && m_error == LXW_NO_ERROR; }

    void sheet(const char* name) {
        fitColumns();
        m_sheet = workbook_add_worksheet(m_book, name);
        if (!m_sheet)
            m_error = LXW_ERROR_MEMORY_MALLOC_FAILED;
        m_widths.clear();
    }
    void freezeTitles() {
        if (m_sheet)
            worksheet_freeze_panes(m_sheet, 1, 0);
    }
    void text(int row, int col, const std::string& codePage, bool bold = false) {
        if (codePage.empty() || !m_sheet)
            return;
        const std::string utf8 = CodePage::toUtf8(codePage);
        keep(worksheet_write_string(m_sheet, static_cast<lxw_row_t>(row),
                                    static_cast<lxw_col_t>(col), utf8.c_str(),
                                    bold ? m_bold : nullptr));
        widen(col, static_cast<double>(CodePage::toQString(codePage).size()));
    }
    void number(int row, int col, double value, lxw_format* format = nullptr, double width = 0) {
        if (!m_sheet)
            return;
        keep(worksheet_write_number(m_sheet, static_cast<lxw_row_t>(row),
                                    static_cast<lxw_col_t>(col), value, format));
        widen(col, width > 0 ? width : static_cast<double>(Numbers::fixed2(value).size()));
    }
    void amount(int row, int col, double value, bool bold = false) {
        // "€ -1.234,50": the digits, the groups, the sign and the currency.
        const double digits = static_cast<double>(Numbers::fixed2(value).size());
        number(row, col, value, bold ? m_boldEuro : m_euro, digits + digits / 4 + 3);
    }
    void date(int row, int col, KDateValue value) {
        const double serial = serialOf(value);
        if (value.value() == 0)
            return;
        if (serial < 0) // no date a spreadsheet holds: as the program writes it
            text(row, col, Numbers::decimal(value.value()));
        else
            number(row, col, serial, m_date, 10);
    }

    // Closes the workbook: the file is complete only when this succeeds.
    QString close() {
        fitColumns();
        lxw_error closed = LXW_NO_ERROR;
        if (m_book)
            closed = workbook_close(m_book);
        m_book = nullptr;
        if (m_error == LXW_NO_ERROR)
            m_error = closed;
        return m_error == LXW_NO_ERROR ? QString() : reason(m_error);
    }

private:
    void keep(lxw_error error) {
        if (m_error == LXW_NO_ERROR)
            m_error = error;
    }
    void widen(int col, double width) {
        if (static_cast<std::size_t>(col) >= m_widths.size())
            m_widths.resize(static_cast<std::size_t>(col) + 1, 0);
        m_widths[static_cast<std::size_t>(col)] =
            std::max(m_widths[static_cast<std::size_t>(col)], width);
    }
    void fitColumns() {
        if (!m_sheet)
            return;
        for (std::size_t col = 0; col < m_widths.size(); ++col)
            worksheet_set_column(m_sheet, static_cast<lxw_col_t>(col), static_cast<lxw_col_t>(col),
                                 std::min(m_widths[col] + 2, kWidest), nullptr);
    }

    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_bold = nullptr;
    lxw_format* m_boldEuro = nullptr;
    lxw_format* m_euro = nullptr;
    lxw_format* m_date = nullptr;
    lxw_error m_error = LXW_NO_ERROR;
    std::vector<double> m_widths;
};

void writeValue(Writer& out, int row, int col, const KField& value) {
    switch (value.type()) {
    case FieldType::Text:
        out.text(row, col, value.text());
        break;
    case FieldType::Date:
        out.date(row, col, value.date());
        break;
    case FieldType::Number:
        out.number(row, col, value.number(), nullptr,
                   static_cast<double>(Numbers::decimal(value.number()).size()));
        break;
    case FieldType::Quantity:
        out.number(row, col, value.real());
        break;
    case FieldType::Amount:
        out.amount(row, col, value.real());
        break;
    case FieldType::Boolean:
        out.text(row, col, value.number() != 0 ? "Ja" : "Nee");
        break;
    default:
        break;
    }
}

void writeOverview(Writer& out, const CKorvelDoc& doc) {
    out.sheet("Openstaand");
    const KOverview overview(doc);
    if (!overview.alerts().isEmpty()) {
        out.text(0, 0, CodePage::fromQString(overview.alerts().join(QLatin1Char(' '))));
        return;
    }
    out.freezeTitles();
    for (int row = 0; row < overview.rowCount(); ++row) {
        for (int col = 0; col < overview.colCount(); ++col) {
            const std::string& cell = overview.cell(row, col);
            if (row == 0 || col == 0)
                out.text(row, col, cell, row == 0 || overview.bold(row, col));
            else if (!cell.empty())
                out.amount(row, col, Numbers::leadingReal(cell), overview.bold(row, col));
        }
    }
}

bool replaceFile(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    return QFile::remove(to) && QFile::rename(from, to);
}

} // namespace

namespace KXlsxExport {

std::vector<Column> gridColumns(const CKorvelDoc& doc, std::string_view columnList) {
    std::vector<Column> columns;
    const MemberColumns resolved(columnList, doc.fields());
    for (const MemberColumns::Column& column : resolved.columns())
        columns.push_back({CodePage::toQString(column.title), column.code});
    return columns;
}

std::vector<Column> allFields(const CKorvelDoc& doc) {
    std::vector<Column> columns;
    std::unordered_set<std::int32_t> shown;
    std::vector<const KTabDef*> tabs;
    for (const KTabDef& tab : doc.tabs())
        tabs.push_back(&tab);
    std::stable_sort(tabs.begin(), tabs.end(), [](const KTabDef* a, const KTabDef* b) {
        return a->position() < b->position();
    });
    auto add = [&](const KField& field) {
        if (shown.insert(field.id()).second)
            columns.push_back({CodePage::toQString(field.label()), field.id()});
    };
    for (const KTabDef* tab : tabs)
        for (std::int32_t id : tab->fieldIds())
            if (const KField* field =
                    doc.fields().findFirst([id](const KField& f) { return f.id() == id; }))
                add(*field);
    for (const KField& field : doc.fields())
        add(field);
    return columns;
}

std::vector<std::int32_t> gridOrder(const CKorvelDoc& doc) {
    std::vector<std::string> names;
    std::vector<std::int32_t> ids;
    names.reserve(doc.members().size());
    ids.reserve(doc.members().size());
    for (const KMember& m : doc.members()) {
        names.push_back(m.name());
        ids.push_back(m.id());
    }
    std::vector<std::int32_t> ordered;
    ordered.reserve(ids.size());
    for (int row : MemberOrder::byName(std::move(names)).sortedRows(true))
        ordered.push_back(ids[static_cast<std::size_t>(row)]);
    return ordered;
}

KResult write(const QString& path, const CKorvelDoc& doc, const std::vector<Column>& columns,
              const std::vector<std::int32_t>& memberIds, KProgressReport* progress) {
    const QString shown = QDir::toNativeSeparators(path);
    auto failed = [&shown](const QString& why) {
        return KResult::failed(
            QStringLiteral("De werkmap \"%1\" kan niet worden geschreven: %2").arg(shown, why));
    };
    // Written beside the target under a name of its own, then put in its place.
    const QFileInfo target(path);
    QTemporaryFile temporary(target.absoluteDir().filePath(
        QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    temporary.setAutoRemove(false);
    if (!temporary.open())
        return failed(QStringLiteral("in de map kan geen bestand worden gemaakt."));
    const QString working = temporary.fileName();
    temporary.close();
    // A new file may be read by others as a file saved by hand may; a file replaced keeps its
    // permissions.
    QFile::setPermissions(working, target.exists()
                                       ? QFile::permissions(path)
                                       : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ReadGroup | QFileDevice::ReadOther);

    bool stopped = false;
    QString error;
    {
        Writer out(working);
        if (!out.ok()) {
            out.close();
            QFile::remove(working);
            return failed(QStringLiteral("het bestand kan niet worden gemaakt."));
        }
        out.sheet("Leden");
        out.freezeTitles();
        for (std::size_t col = 0; col < columns.size(); ++col)
            out.text(0, static_cast<int>(col), CodePage::fromQString(columns[col].title), true);
        if (progress)
            progress->start(QStringLiteral("De werkmap wordt geschreven (leden)"),
                            static_cast<std::int64_t>(memberIds.size()));
        int row = 0;
        for (std::int32_t id : memberIds) {
            const KMember* member = doc.findMember(id);
            if (!member)
                continue;
            ++row;
            for (std::size_t col = 0; col < columns.size(); ++col) {
                const int c = static_cast<int>(col);
                const std::int32_t code = columns[col].code;
                if (code == MemberColumns::kRunningNumber) {
                    out.number(row, c, row, nullptr,
                               static_cast<double>(Numbers::decimal(row).size()));
                } else if (code == MemberColumns::kBalance) {
                    out.amount(row, c, member->balance());
                } else if (const KField* value = member->valueById(code)) {
                    writeValue(out, row, c, *value);
                }
            }
            if (progress && row % 1000 == 0 && !progress->advance(row)) {
                stopped = true;
                break;
            }
        }
        if (progress)
            progress->finish();
        if (!stopped)
            writeOverview(out, doc);
        error = out.close();
    }
    if (stopped) {
        QFile::remove(working);
        return KResult::stopped();
    }
    if (!error.isEmpty()) {
        QFile::remove(working);
        return failed(error + QLatin1Char('.'));
    }
    if (!replaceFile(working, path)) {
        QFile::remove(working);
        return failed(QStringLiteral("het bestand kan niet op zijn plaats worden gezet."));
    }
    return KResult::done();
}

} // namespace KXlsxExport
