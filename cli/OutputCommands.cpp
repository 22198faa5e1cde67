#include "cli/OutputCommands.h"

#include "cli/CommandOptions.h"
#include "cli/JsonWriter.h"
#include "core/document/CKorvelDoc.h"
#include "core/output/MemberExport.h"
#include "core/output/MemberGridText.h"
#include "core/output/MemberMessages.h"
#include "core/output/OverviewPrint.h"
#include "platform/CodePage.h"
#include "platform/ComponentInterfaces.h"
#include "platform/FileErrorReason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Arguments {
    std::string command;
    std::vector<std::string> paths;
    std::optional<std::string> columns; // Windows-1252, as the profile holds it
    std::optional<std::int32_t> member;
    bool splitParts = false;
};

// Returns an error text, or nullptr when the arguments are usable.
const char* parse(int argc, char** argv, Arguments& args) {
    args.command = argv[1];
    CommandOptions options;
    if (const char* why =
            parseCommandOptions(argc, argv, {"columns", "member"}, options, {"split-parts"}))
        return why;
    args.paths = options.paths;
    args.splitParts = options.has("split-parts");
    if (options.has("columns")) {
        const std::string value = options.value("columns");
        args.columns = CodePage::fromQString(
            QString::fromLocal8Bit(value.data(), static_cast<qsizetype>(value.size())));
    }
    if (options.has("member")) {
        std::int64_t id = 0;
        if (!readWholeNumber(options.value("member"), id) || id < INT32_MIN || id > INT32_MAX)
            return "--member verwacht het nummer van een lid";
        args.member = static_cast<std::int32_t>(id);
    }
    const bool messages = args.command == "messages";
    const std::size_t paths = messages || args.command == "members" ? 1 : 2;
    if (args.paths.size() != paths)
        return "verkeerd aantal bestanden";
    if (!messages && !args.columns)
        return "deze opdracht verwacht --columns KOLOMMEN";
    if (messages && args.columns)
        return "--columns hoort niet bij messages";
    if (!messages && args.member)
        return "--member hoort bij messages";
    if (args.splitParts && args.command != "export")
        return "--split-parts hoort bij export";
    return nullptr;
}

QString pathOf(const std::string& arg) {
    return QFile::decodeName(arg.c_str());
}

KResult finish(JsonWriter& out) {
    out.flush();
    return flushOutput(out.ok());
}

KResult members(const CKorvelDoc& doc, const Arguments& args) {
    const MemberGridText grid(doc, *args.columns);
    JsonWriter out(stdout);
    out.beginObject();
    out.key("grid");
    out.beginArray();
    for (int row = 0; row < grid.rowCount(); ++row) {
        out.beginArray();
        for (int col = 0; col < grid.colCount(); ++col)
            out.codePageString(grid.cellText(row, col));
        out.endArray();
    }
    out.endArray();
    out.endObject();
    return finish(out);
}

// A written file that could not be made gets the reason a person can act on: a missing folder,
// one that may not be written to.
KResult withFileReason(const KResult& result, const QString& path) {
    if (!result.isFailed())
        return result;
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    int error = 0;
    if (!folder.isDir())
        error = ENOENT;
    else if (!folder.isWritable() || (target.exists() && !target.isWritable()))
        error = EACCES;
    if (error == 0)
        return result;
    QString why = fileErrorReason(QFileDevice::OpenError, error, path, FileAccess::Writing);
    if (!why.isEmpty())
        why[0] = why[0].toUpper();
    QString text = result.reason();
    if (text.contains(why, Qt::CaseInsensitive))
        return result;
    if (!text.endsWith(QLatin1Char('.')))
        text += QStringLiteral(" (%1)").arg(QDir::toNativeSeparators(path)) + QLatin1Char(':');
    return KResult::failed(text + QLatin1Char(' ') + why + QLatin1Char('.'));
}

KResult exportFile(const CKorvelDoc& doc, const Arguments& args) {
    const MemberGridText grid(doc, *args.columns);
    MemberExport::Choice choice;
    choice.items = MemberExport::listItems(grid);
    choice.selected.assign(choice.items.size(), true);
    choice.splitParts = args.splitParts;
    return withFileReason(MemberExport::write(pathOf(args.paths[1]), grid, doc, choice),
                          pathOf(args.paths[1]));
}

// Writes every call made on it as JSON: strings as strings, member ids as numbers.
class CallWriter final : public IKCorrespondence {
public:
    explicit CallWriter(JsonWriter& out) : m_out(out) {}

    KStatus QueryInterface(const KGuid& iid, void** object) override {
        *object = iid == IID_IKUnknown || iid == IID_IKCorrespondence ? this : nullptr;
        return *object ? KStatusCode::ok : KStatusCode::noInterface;
    }
    std::uint32_t AddRef() override { return 1; }
    std::uint32_t Release() override { return 1; }

    KStatus BeginCorrespondence(const char* program, const char* job, const char* prefix) override {
        m_out.beginArray();
        m_out.codePageString("BeginCorrespondence");
        m_out.codePageString(program);
        m_out.codePageString(job);
        m_out.codePageString(prefix);
        m_out.endArray();
        return KStatusCode::ok;
    }
    KStatus AddMemberValue(std::int32_t id, const char* name, const char* value) override {
        m_out.beginArray();
        m_out.codePageString("AddMemberValue");
        m_out.integer(id);
        m_out.codePageString(name);
        m_out.codePageString(value);
        m_out.endArray();
        return KStatusCode::ok;
    }
    KStatus SetListFields(const char* const* names, std::int32_t count) override {
        m_out.beginArray();
        m_out.codePageString("SetListFields");
        m_out.beginArray();
        for (std::int32_t i = 0; i < count; ++i)
            m_out.codePageString(names[i]);
        m_out.endArray();
        m_out.endArray();
        return KStatusCode::ok;
    }
    KStatus RunCorrespondence() override {
        m_out.beginArray();
        m_out.codePageString("RunCorrespondence");
        m_out.endArray();
        return KStatusCode::ok;
    }

private:
    JsonWriter& m_out;
};

KResult messages(const CKorvelDoc& doc, const Arguments& args) {
    JsonWriter out(stdout);
    out.beginObject();
    out.key("calls");
    out.beginArray();
    if (MemberMessages::canSend(doc)) {
        CallWriter component(out);
        MemberMessages::send(doc, args.member.value_or(MemberMessages::kAllMembers), component);
    }
    out.endArray();
    out.endObject();
    return finish(out);
}

KResult print(const CKorvelDoc& doc, const Arguments& args) {
    // The print component lays text out with the fonts of a window system; none is shown.
    int argc = 3;
    char name[] = "korvel-cli";
    char platformOption[] = "-platform";
    char offscreen[] = "offscreen";
    char* argv[] = {name, platformOption, offscreen, nullptr};
    QGuiApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    // A target that cannot be made is said before the component is looked for.
    const KResult cannotWrite =
        withFileReason(KResult::failed(QStringLiteral("Probleem bij afdrukken")), pathOf(args.paths[1]));
    if (cannotWrite.reason() != QStringLiteral("Probleem bij afdrukken"))
        return cannotWrite;

    const MemberGridText grid(doc, *args.columns);
    KComPtr<IKUnknown> basic;
    KComPtr<IKPrint> printer;
    const KStatus status = Components::GetComInterface(
        CLSID_KPrint, IID_IKPrint, basic.put(), printer.putVoid(),
        [](const QString& message) { std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData()); });
    // The component's status ends here.
    if (failed(status))
        return KResult::failed(QString::asprintf(
            "GetComInterface fout %08lX", static_cast<unsigned long>(static_cast<std::uint32_t>(status))));
    const std::string out = CodePage::fromQString(pathOf(args.paths[1]));
    const KResult printed = OverviewPrint::print(*printer, grid, out);
    printer.reset();
    basic.reset();
    return withFileReason(printed, pathOf(args.paths[1]));
}

} // namespace

namespace OutputCommands {

bool handles(const char* command) {
    const std::string_view name = command ? command : "";
    return name == "members" || name == "export" || name == "messages" || name == "print";
}

int run(int argc, char** argv, UsageReport usage) {
    Arguments args;
    if (const char* why = parse(argc, argv, args))
        return usage(why);

    CKorvelDoc doc;
    const KResult result = [&] {
        if (const KResult opened = openMemberFile(doc, args.paths[0]); !opened)
            return opened;
        if (args.command == "members")
            return members(doc, args);
        if (args.command == "export")
            return exportFile(doc, args);
        if (args.command == "messages")
            return messages(doc, args);
        return print(doc, args);
    }();
    // Everything is written: the administration ends with the process.
    doc.abandonContents();
    return exitStatus(result);
}

} // namespace OutputCommands
