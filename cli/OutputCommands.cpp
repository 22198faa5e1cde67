#include "cli/OutputCommands.h"

#include "cli/JsonWriter.h"
#include "core/document/CKorvelDoc.h"
#include "core/format/Clock.h"
#include "core/format/DateFormat.h"
#include "core/output/MemberExport.h"
#include "core/output/MemberGridText.h"
#include "core/output/MemberMessages.h"
#include "core/output/OverviewPrint.h"
#include "platform/CodePage.h"
#include "platform/ComponentInterfaces.h"

#include <QDate>
#include <QFile>
#include <QGuiApplication>

#include <charconv>
#include <clocale>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

const char* const kUsageText =
    "Gebruik:\n"
    "  korvel-cli members BESTAND.kvl --columns KOLOMMEN\n"
    "  korvel-cli export BESTAND.kvl UIT.txt --columns KOLOMMEN [--split-parts]\n"
    "  korvel-cli messages BESTAND.kvl [--member ID]\n"
    "  korvel-cli print BESTAND.kvl UIT.pdf --columns KOLOMMEN\n"
    "Opties bij elke opdracht: --today JJJJMMDD  --date-format FORMAAT\n";

struct Arguments {
    std::string command;
    std::vector<std::string> paths;
    std::optional<std::int32_t> today;
    std::optional<std::string> dateFormat;
    std::optional<std::string> columns; // Windows-1252, as the profile holds it
    std::optional<std::int32_t> member;
    bool splitParts = false;
};

int usage(const char* why) {
    std::fprintf(stderr, "korvel-cli: %s\n%s", why, kUsageText);
    return kUsage;
}

int fail(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return kFailed;
}

template <class T> bool readWhole(std::string_view text, T& value) {
    if (text.empty())
        return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// Returns an error text, or nullptr when the arguments are usable.
const char* parse(int argc, char** argv, Arguments& args) {
    args.command = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.size() < 2 || arg.substr(0, 2) != "--") {
            args.paths.emplace_back(arg);
            continue;
        }
        if (arg == "--split-parts") {
            args.splitParts = true;
            continue;
        }
        if (i + 1 >= argc)
            return "optie zonder waarde";
        const std::string_view value = argv[++i];
        if (arg == "--today") {
            std::int32_t date = 0;
            if (value.size() != 8 || !readWhole(value, date) ||
                !QDate(date / 10000, (date / 100) % 100, date % 100).isValid())
                return "--today verwacht een datum JJJJMMDD";
            args.today = date;
        } else if (arg == "--date-format") {
            args.dateFormat = std::string(value);
        } else if (arg == "--columns") {
            args.columns = CodePage::fromQString(QString::fromLocal8Bit(value.data(),
                                                                        static_cast<qsizetype>(value.size())));
        } else if (arg == "--member") {
            std::int32_t id = 0;
            if (!readWhole(value, id))
                return "--member verwacht het nummer van een lid";
            args.member = id;
        } else {
            return "onbekende optie";
        }
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

int open(CKorvelDoc& doc, const std::string& path) {
    KFileReport report;
    if (!doc.OnOpenDocument(pathOf(path), &report))
        return fail(report.error);
    for (const QString& message : report.messages)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    return 0;
}

int finish(JsonWriter& out) {
    out.flush();
    if (!out.ok() || std::fflush(stdout) != 0)
        return fail(QStringLiteral("Het schrijven naar de standaarduitvoer is mislukt."));
    return 0;
}

int members(const CKorvelDoc& doc, const Arguments& args) {
    const MemberGridText grid(doc, *args.columns);
    JsonWriter out(stdout);
    out.beginObject();
    out.key("grid");
    out.beginArray();
    for (const std::vector<std::string>& row : grid.rows()) {
        out.beginArray();
        for (const std::string& cell : row)
            out.codePageString(cell);
        out.endArray();
    }
    out.endArray();
    out.endObject();
    return finish(out);
}

int exportFile(const CKorvelDoc& doc, const Arguments& args) {
    const MemberGridText grid(doc, *args.columns);
    MemberExport::Choice choice;
    choice.items = MemberExport::listItems(grid);
    choice.selected.assign(choice.items.size(), true);
    choice.splitParts = args.splitParts;
    const QString path = pathOf(args.paths[1]);
    switch (MemberExport::write(path, grid, doc, choice)) {
    case MemberExport::Result::Written:
        return 0;
    case MemberExport::Result::CannotOpen:
        return fail(QStringLiteral("Kan bestand %1 niet openen om te schrijven.").arg(path));
    default:
        return fail(QStringLiteral("Het schrijven van bestand %1 is mislukt.").arg(path));
    }
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

int messages(const CKorvelDoc& doc, const Arguments& args) {
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

int print(const CKorvelDoc& doc, const Arguments& args) {
    // The print component lays text out with the fonts of a window system; none is shown.
    int argc = 3;
    char name[] = "korvel-cli";
    char platformOption[] = "-platform";
    char offscreen[] = "offscreen";
    char* argv[] = {name, platformOption, offscreen, nullptr};
    QGuiApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    const MemberGridText grid(doc, *args.columns);
    KComPtr<IKUnknown> basic;
    KComPtr<IKPrint> printer;
    const KStatus status = Components::GetComInterface(
        CLSID_KPrint, IID_IKPrint, basic.put(), printer.putVoid(),
        [](const QString& message) { std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData()); });
    if (failed(status))
        return fail(QString::asprintf("GetComInterface fout %08lX",
                                      static_cast<unsigned long>(static_cast<std::uint32_t>(status))));
    const std::string out = CodePage::fromQString(pathOf(args.paths[1]));
    const bool printed = OverviewPrint::print(*printer, grid, out);
    printer.reset();
    basic.reset();
    return printed ? 0 : fail(QStringLiteral("Probleem bij afdrukken"));
}

} // namespace

namespace OutputCommands {

bool handles(const char* command) {
    const std::string_view name = command ? command : "";
    return name == "members" || name == "export" || name == "messages" || name == "print";
}

int run(int argc, char** argv) {
    Arguments args;
    if (const char* why = parse(argc, argv, args))
        return usage(why);
    if (args.today)
        Clock::pinToday(*args.today);
    if (args.dateFormat)
        DateFormat::setSetting(*args.dateFormat);
    else
        LoadDateFormat();

    CKorvelDoc doc;
    if (const int status = open(doc, args.paths[0]))
        return status;
    if (args.command == "members")
        return members(doc, args);
    if (args.command == "export")
        return exportFile(doc, args);
    if (args.command == "messages")
        return messages(doc, args);
    return print(doc, args);
}

} // namespace OutputCommands
