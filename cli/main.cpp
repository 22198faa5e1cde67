// korvel-cli: the administration without a window. Creates, dumps, converts and generates
// member files through the same document the program uses.
#include "cli/ExecuteCommand.h"
#include "cli/JsonWriter.h"
#include "cli/KDocDump.h"
#include "cli/OverviewCommand.h"
#include "cli/OutputCommands.h"
#include "core/document/CKorvelDoc.h"
#include "core/format/Clock.h"
#include "core/format/DateFormat.h"
#include "core/generate/ClubGenerator.h"

#include <QDate>
#include <QFile>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr long kMaxMembers = 10'000'000;

const char* const kUsageText =
    "Gebruik:\n"
    "  korvel-cli new UIT.kvl\n"
    "  korvel-cli dump BESTAND.kvl\n"
    "  korvel-cli convert IN.kvl UIT.kvl\n"
    "  korvel-cli generate UIT.kvl --members N [--seed S]\n"
    "  korvel-cli execute BESTAND.kvl UIT.kvl --scheme OMSCHRIJVING --select without-amount|all\n"
    "  korvel-cli overview BESTAND.kvl\n"
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
    std::optional<long> members;
    std::uint64_t seed = 1;
    bool seedGiven = false;
};

int usage(const char* why) {
    std::fprintf(stderr, "korvel-cli: %s\n%s", why, kUsageText);
    return kUsage;
}

template <class T> bool readWhole(std::string_view text, T& value) {
    if (text.empty())
        return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// Returns an error text, or nullptr when the arguments are usable.
const char* parse(int argc, char** argv, Arguments& args) {
    if (argc < 2)
        return "geen opdracht";
    args.command = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.size() < 2 || arg.substr(0, 2) != "--") {
            args.paths.emplace_back(arg);
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
        } else if (arg == "--members") {
            long n = 0;
            if (!readWhole(value, n) || n < 0 || n > kMaxMembers)
                return "--members verwacht een aantal van 0 tot 10000000";
            args.members = n;
        } else if (arg == "--seed") {
            if (!readWhole(value, args.seed))
                return "--seed verwacht een niet-negatief geheel getal";
            args.seedGiven = true;
        } else {
            return "onbekende optie";
        }
    }
    const bool generate = args.command == "generate";
    if (!generate && (args.members || args.seedGiven))
        return "--members en --seed horen bij generate";
    std::size_t paths = 0;
    if (args.command == "new" || args.command == "dump" || generate)
        paths = 1;
    else if (args.command == "convert")
        paths = 2;
    else
        return "onbekende opdracht";
    if (args.paths.size() != paths)
        return "verkeerd aantal bestanden";
    if (generate && !args.members)
        return "generate verwacht --members N";
    return nullptr;
}

QString pathOf(const std::string& arg) {
    return QFile::decodeName(arg.c_str());
}

int fail(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return kFailed;
}

void warn(const QStringList& messages) {
    for (const QString& message : messages)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

int save(CKorvelDoc& doc, const std::string& path) {
    KFileReport report;
    if (!doc.OnSaveDocument(pathOf(path), &report))
        return fail(report.error);
    warn(report.messages);
    return 0;
}

int open(CKorvelDoc& doc, const std::string& path) {
    KFileReport report;
    if (!doc.OnOpenDocument(pathOf(path), &report))
        return fail(report.error);
    warn(report.messages);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string_view(argv[1]) == "execute")
        return executeCommand(argc, argv, usage);
    if (argc >= 2 && std::string_view(argv[1]) == "overview")
        return overviewCommand(argc, argv, usage);
    if (argc >= 2 && OutputCommands::handles(argv[1]))
        return OutputCommands::run(argc, argv);
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
    if (args.command == "new") {
        doc.OnNewDocument();
        return save(doc, args.paths[0]);
    }
    if (args.command == "generate") {
        ClubGenerator(args.seed).generate(doc, *args.members);
        return save(doc, args.paths[0]);
    }
    if (const int status = open(doc, args.paths[0]))
        return status;
    if (args.command == "convert")
        return save(doc, args.paths[1]);

    JsonWriter out(stdout);
    KDocDump(out).write(doc);
    out.flush();
    if (!out.ok() || std::fflush(stdout) != 0)
        return fail(QStringLiteral("Het schrijven naar de standaarduitvoer is mislukt."));
    return 0;
}
