#include "core/import/KXlsxExport.h"

#include "core/KProgressReport.h"
#include "core/contrib/KOverview.h"
#include "core/document/CKorvelDoc.h"
#include "core/format/Numbers.h"
#include "korvel/InstallLayout.h"
#include "core/table/MemberColumns.h"
#include "core/table/MemberOrder.h"
#include "platform/CodePage.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <QCoreApplication>
#include <QProcess>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <unordered_set>

namespace {

constexpr double kWidest = 60;
// What korvel-xlsxwriter says when it could not read what it was given.
constexpr int kBadInput = 100;
// Cells are handed over in pieces of about this size.
constexpr qsizetype kPiece = 1 << 20;

enum Style { Plain = 0, Euro = 1, BoldEuro = 2, Date = 3, Bold = 4 };

// The serial day of a date in the 1900 system, which counts a 29 February 1900 that never was.
double serialOf(KDateValue date) {
    const QDate d(date.Year(), date.Month(), date.Day());
    if (!d.isValid() || d.year() < 1900)
        return -1;
    return static_cast<double>(QDate(1899, 12, 30).daysTo(d));
}

// libxlsxwriter's error numbers as korvel-xlsxwriter exits with them.
QString reason(int error) {
    switch (error) {
    case 1: // LXW_ERROR_MEMORY_MALLOC_FAILED
        return QStringLiteral("er is niet genoeg geheugen");
    case 2: // LXW_ERROR_CREATING_XLSX_FILE
        return QStringLiteral("het bestand kan niet worden gemaakt");
    case 3: // LXW_ERROR_CREATING_TMPFILE
        return QStringLiteral("er kan geen tijdelijk bestand worden gemaakt");
    case kBadInput:
        return QStringLiteral("de werkmapschrijver kon de gegevens niet lezen");
    default:
        return QStringLiteral("het schrijven is mislukt (fout %1 van de werkmapschrijver)")
            .arg(error);
    }
}

// korvel-xlsxwriter lies beside the program that runs, in the build; installed, in the program's
// own library folder.
QString writerProgram() {
    const QString name = QStringLiteral("korvel-xlsxwriter");
    QString folder;
    if (QCoreApplication::instance()) {
        folder = QCoreApplication::applicationDirPath();
    } else {
#ifdef Q_OS_LINUX
        const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
        folder = self.isEmpty() ? QString() : QFileInfo(self).path();
#endif
    }
    if (folder.isEmpty())
        return name;
    const QString beside = QDir(folder).filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = QDir::cleanPath(
        QDir(folder).filePath(QString::fromLatin1(kInstalledLibraryFolder) + QLatin1Char('/') + name));
    return QFileInfo::exists(installed) ? installed : beside;
}

// Hands the cells of the sheets to korvel-xlsxwriter as it goes, and keeps each column's width.
class Writer {
public:
    explicit Writer(const QString& path) {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(writerProgram(), {path});
        m_started = m_process.waitForStarted();
    }
    ~Writer() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    bool started() const { return m_started; }

    void sheet(const char* name) {
        fitColumns();
        m_out += "S ";
        m_out += name;
        m_out += '\n';
        m_widths.clear();
    }
    void freezeTitles() { m_out += "F\n"; }
    void text(int row, int col, const std::string& codePage, bool bold = false) {
        if (codePage.empty())
            return;
        cell('T', row, col, bold ? Bold : Plain);
        for (const char c : CodePage::toUtf8(codePage)) {
            switch (c) {
            case '\\':
                m_out += "\\\\";
                break;
            case '\n':
                m_out += "\\n";
                break;
            case '\r':
                m_out += "\\r";
                break;
            case '\t':
                m_out += "\\t";
                break;
            default:
                m_out += c;
            }
        }
        m_out += '\n';
        widen(col, static_cast<double>(codePage.size())); // a character a byte
        flushSome();
    }
    void number(int row, int col, double value, Style style = Plain, double width = 0) {
        cell('N', row, col, style);
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        m_out.append(buffer, end - buffer);
        m_out += '\n';
        widen(col, width > 0 ? width : static_cast<double>(end - buffer));
        flushSome();
    }
    void amount(int row, int col, double value, bool bold = false) {
        // "€ -1.234,50": the digits, the groups, the sign and the currency.
        double digits = 4; // "0,00"
        for (double v = std::fabs(value); v >= 10; v /= 10)
            ++digits;
        number(row, col, value, bold ? BoldEuro : Euro, digits + digits / 4 + (value < 0) + 2);
    }
    void date(int row, int col, KDateValue value) {
        if (value.value() == 0)
            return;
        const double serial = serialOf(value);
        if (serial < 0) // no date a spreadsheet holds: as the program writes it
            text(row, col, Numbers::decimal(value.value()));
        else
            number(row, col, serial, Date, 10);
    }

    // Ends the input: the workbook is complete only when the writer then says so. The reason
    // why not, or nothing.
    QString close() {
        fitColumns();
        send();
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(-1) || m_process.exitStatus() != QProcess::NormalExit)
            return QStringLiteral("de werkmapschrijver is onverwacht gestopt");
        return m_process.exitCode() == 0 ? QString() : reason(m_process.exitCode());
    }

private:
    void cell(char kind, int row, int col, Style style) {
        char buffer[48];
        char* at = buffer;
        *at++ = kind;
        for (const int n : {row, col, static_cast<int>(style)}) {
            *at++ = ' ';
            at = std::to_chars(at, buffer + sizeof buffer, n).ptr;
        }
        *at++ = ' ';
        m_out.append(buffer, at - buffer);
    }
    void widen(int col, double width) {
        if (static_cast<std::size_t>(col) >= m_widths.size())
            m_widths.resize(static_cast<std::size_t>(col) + 1, 0);
        m_widths[static_cast<std::size_t>(col)] =
            std::max(m_widths[static_cast<std::size_t>(col)], width);
    }
    void fitColumns() {
        for (std::size_t col = 0; col < m_widths.size(); ++col) {
            char buffer[48];
            const int n = std::snprintf(buffer, sizeof buffer, "W %d %.1f\n", static_cast<int>(col),
                                        std::min(m_widths[col] + 2, kWidest));
            m_out.append(buffer, n);
        }
        m_widths.clear();
    }
    void flushSome() {
        if (m_out.size() >= kPiece)
            send();
    }
    void send() {
        if (m_out.isEmpty() || m_process.state() != QProcess::Running)
            return;
        m_process.write(m_out);
        m_out.clear();
        while (m_process.bytesToWrite() > 0 && m_process.waitForBytesWritten(-1)) {
        }
    }

    QProcess m_process;
    bool m_started = false;
    QByteArray m_out;
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
        out.number(row, col, value.number());
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
        if (!out.started()) {
            QFile::remove(working);
            return failed(QStringLiteral("de werkmapschrijver korvel-xlsxwriter kan niet worden "
                                         "gestart."));
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
                    out.number(row, c, row);
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
        if (!stopped) {
            writeOverview(out, doc);
            error = out.close();
        }
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
