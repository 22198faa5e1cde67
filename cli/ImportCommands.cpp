#include "cli/ImportCommands.h"

#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/import/KImportProposal.h"
#include "core/import/KImportRun.h"
#include "core/import/KImportTable.h"
#include "core/import/KTableFile.h"
#include "core/import/KXlsxExport.h"
#include "core/model/DefaultConfiguration.h"
#include "core/table/MemberColumns.h"
#include "platform/CodePage.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <optional>
#include <string_view>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

int fail(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return kFailed;
}

QString argText(const std::string& arg) {
    return QString::fromLocal8Bit(arg.data(), static_cast<qsizetype>(arg.size()));
}

// A usage error whose reason names something of the files: printed as it is, with the usage.
struct Refusal {
    QString why;
};

// --map "KOLOM=VELD|KOLOM+KOLOM=VELD": every column named goes into its field, joined in the
// order written; the rest is not imported. Columns by title (or number from 1 without titles),
// fields by label; an equal text before one equal but for case, accents and punctuation.
std::optional<Refusal> applyMap(const QString& map, const KImportTable& table,
                                const KFieldList& fields, KImportMapping& mapping) {
    for (auto& target : mapping.columns)
        target = KImportMapping::Target::skip();
    auto columnOf = [&](const QString& name) -> int {
        if (!mapping.firstRowTitles) {
            bool ok = false;
            const int n = name.toInt(&ok);
            return ok && n >= 1 && n <= table.columnCount() ? n - 1 : -1;
        }
        for (int pass = 0; pass < 2; ++pass)
            for (int col = 0; col < table.columnCount(); ++col) {
                const QString title = KImportProposal::columnTitle(table, col, true);
                if (pass == 0 ? title == name
                              : KImportProposal::fold(title) == KImportProposal::fold(name))
                    return col;
            }
        return -1;
    };
    auto fieldOf = [&](const QString& label) -> const KField* {
        const std::string bytes = CodePage::fromQString(label);
        if (const KField* f = fields.findFirst([&](const KField& x) { return x.label() == bytes; }))
            return f;
        const QString folded = KImportProposal::fold(label);
        return fields.findFirst([&](const KField& x) {
            return KImportProposal::fold(CodePage::toQString(x.label())) == folded;
        });
    };
    for (const QString& entry : map.split(u'|', Qt::SkipEmptyParts)) {
        const qsizetype equals = entry.lastIndexOf(u'=');
        if (equals <= 0)
            return Refusal{QStringLiteral("--map verwacht KOLOM=VELD, niet \"%1\"").arg(entry)};
        const KField* field = fieldOf(entry.mid(equals + 1).trimmed());
        if (!field)
            return Refusal{QStringLiteral("het ledenbestand heeft geen veld \"%1\"")
                               .arg(entry.mid(equals + 1).trimmed())};
        std::vector<int> columns;
        for (const QString& name : entry.left(equals).split(u'+')) {
            const int col = columnOf(name.trimmed());
            if (col < 0)
                return Refusal{QStringLiteral("de tabel heeft geen kolom \"%1\"").arg(name.trimmed())};
            mapping.columns[static_cast<std::size_t>(col)] =
                KImportMapping::Target::field(field->id());
            columns.push_back(col);
        }
        mapping.joinOrder.emplace_back(field->id(), std::move(columns));
    }
    return std::nullopt;
}

QJsonObject reportJson(const KImportReport& report) {
    QJsonArray skipped;
    for (const auto& s : report.skipped)
        skipped.append(QJsonObject{{QStringLiteral("row"), s.row},
                                   {QStringLiteral("reason"), QLatin1String(KImportReport::code(s.reason))}});
    QJsonArray replaced;
    for (const auto& r : report.replaced)
        replaced.append(QJsonObject{{QStringLiteral("row"), r.row},
                                    {QStringLiteral("column"), r.column},
                                    {QStringLiteral("text"), r.text}});
    return {{QStringLiteral("added"), static_cast<qint64>(report.added)},
            {QStringLiteral("updated"), static_cast<qint64>(report.updated)},
            {QStringLiteral("skipped"), skipped},
            {QStringLiteral("replaced"), replaced},
            {QStringLiteral("unmapped"), QJsonArray::fromStringList(report.unmapped)}};
}

int importTable(int argc, char** argv, UsageReport usage) {
    CommandOptions options;
    if (const char* why = parseCommandOptions(argc, argv,
                                              {"map", "date-order", "on-duplicate", "sheet"},
                                              options, {"no-header"}))
        return usage(why);
    if (options.paths.size() != 3)
        return usage("verkeerd aantal bestanden");
    std::optional<DateOrder> order;
    if (options.has("date-order")) {
        const std::string o = options.value("date-order");
        if (o == "dmy")
            order = DateOrder::DayMonthYear;
        else if (o == "ymd")
            order = DateOrder::YearMonthDay;
        else if (o == "mdy")
            order = DateOrder::MonthDayYear;
        else
            return usage("--date-order verwacht dmy, ymd of mdy");
    }
    KDuplicates duplicates = KDuplicates::Skip;
    if (options.has("on-duplicate")) {
        const std::string d = options.value("on-duplicate");
        if (d == "update")
            duplicates = KDuplicates::Update;
        else if (d == "add")
            duplicates = KDuplicates::Add;
        else if (d != "skip")
            return usage("--on-duplicate verwacht skip, update of add");
    }
    std::int64_t sheet = 1;
    if (options.has("sheet") && (!readWholeNumber(options.value("sheet"), sheet) || sheet < 1))
        return usage("--sheet verwacht het nummer van een werkblad, vanaf 1");

    CKorvelDoc doc;
    if (const int opened = openMemberFile(doc, options.paths[0]))
        return opened;
    KTableFile source;
    const QString tablePath = QFile::decodeName(options.paths[1].c_str());
    if (KResult opened = source.open(tablePath); !opened.isDone())
        return fail(opened.reason());
    if (source.kind() != KTableFile::Kind::Text && sheet > source.sheetNames().size())
        return fail(QStringLiteral("De werkmap heeft %1 werkbladen, geen %2.")
                        .arg(source.sheetNames().size())
                        .arg(sheet));
    KImportTable table;
    if (KResult read = source.read(static_cast<int>(sheet - 1), table); !read.isDone())
        return fail(read.reason());

    const bool titles = !options.has("no-header");
    KImportMapping mapping = KImportProposal::propose(table, doc.fields(), titles);
    if (options.has("map")) {
        if (const auto refused = applyMap(argText(options.value("map")), table, doc.fields(), mapping)) {
            std::fprintf(stderr, "korvel-cli: %s\n", refused->why.toLocal8Bit().constData());
            return kUsage;
        }
    }
    mapping.dateOrder = order ? *order : KImportProposal::proposeDateOrder(table, mapping, doc.fields());

    KImportRun run(doc, table, mapping);
    run.setDuplicates(duplicates);
    KImportChanges changes;
    KImportReport report;
    run.build([&doc] { return doc.handOutId(); }, changes, report);
    KEdit::importMembers(doc, std::move(changes));
    if (const int saved = saveMemberFile(doc, options.paths[2]))
        return saved;
    const QByteArray json = QJsonDocument(reportJson(report)).toJson(QJsonDocument::Compact);
    if (std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout) !=
            static_cast<std::size_t>(json.size()) ||
        std::fputc('\n', stdout) == EOF || std::fflush(stdout) != 0)
        return fail(QStringLiteral("Het schrijven naar de standaarduitvoer is mislukt."));
    // Everything is written: the administration ends with the process.
    doc.abandonContents();
    return 0;
}

int writeWorkbook(int argc, char** argv, UsageReport usage) {
    CommandOptions options;
    if (const char* why = parseCommandOptions(argc, argv, {"columns"}, options, {"all-fields"}))
        return usage(why);
    if (options.paths.size() != 2)
        return usage("verkeerd aantal bestanden");
    if (options.has("columns") && options.has("all-fields"))
        return usage("--columns en --all-fields gaan niet samen");
    CKorvelDoc doc;
    if (const int opened = openMemberFile(doc, options.paths[0]))
        return opened;
    std::vector<KXlsxExport::Column> columns;
    if (options.has("all-fields")) {
        columns = KXlsxExport::allFields(doc);
    } else {
        std::string list = options.has("columns")
                               ? CodePage::fromQString(argText(options.value("columns")))
                               : MemberColumns::profileValue();
        if (list.empty())
            list = kDefaultColumnList;
        columns = KXlsxExport::gridColumns(doc, list);
    }
    const KResult written = KXlsxExport::write(QFile::decodeName(options.paths[1].c_str()), doc,
                                               columns, KXlsxExport::gridOrder(doc));
    doc.abandonContents();
    return written.isDone() ? 0 : fail(written.reason());
}

} // namespace

namespace ImportCommands {

bool handles(const char* command) {
    const std::string_view name = command ? command : "";
    return name == "import" || name == "xlsx";
}

int run(int argc, char** argv, UsageReport usage) {
    const std::string_view command = argv[1];
    return command == "import" ? importTable(argc, argv, usage) : writeWorkbook(argc, argv, usage);
}

} // namespace ImportCommands
