// korvel-cli: the administration without a window. Creates, dumps, converts and generates
// member files through the same document the program uses.
#include "cli/CommandOptions.h"
#include "cli/ExecuteCommand.h"
#include "cli/ImportCommands.h"
#include "cli/JsonWriter.h"
#include "cli/KDocDump.h"
#include "cli/OverviewCommand.h"
#include "cli/OutputCommands.h"
#include "cli/SepaCommand.h"
#include "cli/StatementCommand.h"
#include "core/document/CKorvelDoc.h"
#include "core/generate/ClubGenerator.h"
#include "korvel/Version.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

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
    "  korvel-cli sepa BESTAND.kvl UIT.xml --collection-date JJJJMMDD --creditor-name NAAM\n"
    "      --creditor-iban IBAN --creditor-id ID [--creditor-bic BIC]\n"
    "      [--format pain.008.001.08|pain.008.001.02] [--scheme OMSCHRIJVING]\n"
    "      [--iban-field LABEL] [--bic-field LABEL] [--mandate-field LABEL]\n"
    "      [--mandate-date-field LABEL] [--first-field LABEL] [--text SJABLOON] [--book UIT.kvl]\n"
    "  korvel-cli members BESTAND.kvl --columns KOLOMMEN\n"
    "  korvel-cli export BESTAND.kvl UIT.txt --columns KOLOMMEN [--split-parts]\n"
    "  korvel-cli messages BESTAND.kvl [--member ID]\n"
    "  korvel-cli print BESTAND.kvl UIT.pdf --columns KOLOMMEN\n"
    "  korvel-cli --version\n"
    "  korvel-cli --help\n"
    "  korvel-cli statement BESTAND.kvl AFSCHRIFT UIT.kvl [--iban-field LABEL] [--creditor-iban IBAN]\n"
    "  korvel-cli import BESTAND.kvl TABEL UIT.kvl [--map \"KOLOM=VELD|KOLOM+KOLOM=VELD\"]\n"
    "        [--no-header] [--date-order dmy|ymd|mdy] [--on-duplicate skip|update|add] [--sheet N]\n"
    "  korvel-cli xlsx BESTAND.kvl UIT.xlsx [--columns KOLOMMEN | --all-fields]\n"
    "Opties bij elke opdracht: --today JJJJMMDD  --date-format FORMAAT\n";

int usage(const char* why) {
    std::fprintf(stderr, "korvel-cli: %s\n%s", why, kUsageText);
    return kUsage;
}

// new, dump, convert and generate.
int fileCommand(int argc, char** argv) {
    const std::string_view command = argv[1];
    const bool generate = command == "generate";
    std::size_t paths = 0;
    if (command == "new" || command == "dump" || generate)
        paths = 1;
    else if (command == "convert")
        paths = 2;
    CommandOptions options;
    if (const char* why = parseCommandOptions(argc, argv, {"members", "seed"}, options))
        return usage(paths == 0 ? "onbekende opdracht" : why);
    if (paths == 0)
        return usage("onbekende opdracht");
    if (!generate && (options.has("members") || options.has("seed")))
        return usage("--members en --seed horen bij generate");
    if (options.paths.size() != paths)
        return usage("verkeerd aantal bestanden");
    if (generate && !options.has("members"))
        return usage("generate verwacht --members N");
    std::int64_t members = 0;
    if (generate && (!readWholeNumber(options.value("members"), members) || members < 0 ||
                     members > kMaxMembers))
        return usage("--members verwacht een aantal van 0 tot 10000000");
    std::uint64_t seed = 1;
    if (options.has("seed")) {
        const std::string text = options.value("seed");
        const auto read = std::from_chars(text.data(), text.data() + text.size(), seed);
        if (text.empty() || read.ec != std::errc() || read.ptr != text.data() + text.size())
            return usage("--seed verwacht een niet-negatief geheel getal");
    }

    CKorvelDoc doc;
    const int status = [&] {
        if (command == "new") {
            doc.OnNewDocument();
            return saveMemberFile(doc, options.paths[0]);
        }
        if (generate) {
            ClubGenerator(seed).generate(doc, static_cast<long>(members));
            return saveMemberFile(doc, options.paths[0]);
        }
        if (const int opened = openMemberFile(doc, options.paths[0]))
            return opened;
        if (command == "convert")
            return saveMemberFile(doc, options.paths[1]);

        JsonWriter out(stdout);
        KDocDump(out).write(doc);
        out.flush();
        if (!out.ok() || std::fflush(stdout) != 0) {
            std::fprintf(stderr, "Het schrijven naar de standaarduitvoer is mislukt.\n");
            return kFailed;
        }
        return 0;
    }();
    // Everything is written: the administration ends with the process.
    doc.abandonContents();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage("geen opdracht");
    const std::string_view command = argv[1];
    if (argc == 2 && command == "--version") {
        std::printf("korvel-cli %s\n", kKorvelVersion);
        return 0;
    }
    if (argc == 2 && command == "--help") {
        std::fputs(kUsageText, stdout);
        return 0;
    }
    if (command == "execute")
        return executeCommand(argc, argv, usage);
    if (command == "overview")
        return overviewCommand(argc, argv, usage);
    if (command == "sepa")
        return sepaCommand(argc, argv, usage);
    if (command == "statement")
        return statementCommand(argc, argv, usage);
    if (OutputCommands::handles(argv[1]))
        return OutputCommands::run(argc, argv, usage);
    if (ImportCommands::handles(argv[1]))
        return ImportCommands::run(argc, argv, usage);
    return fileCommand(argc, argv);
}
