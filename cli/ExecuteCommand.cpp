#include "cli/ExecuteCommand.h"

#include "core/contrib/KExecution.h"
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "platform/CodePage.h"

#include <cstdio>

int executeCommand(int argc, char** argv, UsageReport usage) {
    CommandOptions options;
    if (const char* why = parseCommandOptions(argc, argv, {"scheme", "select"}, options))
        return usage(why);
    if (options.paths.size() != 2)
        return usage("verkeerd aantal bestanden");
    if (!options.has("scheme"))
        return usage("execute verwacht --scheme OMSCHRIJVING");
    const std::string select = options.value("select");
    if (select != "without-amount" && select != "all")
        return usage("execute verwacht --select without-amount of --select all");

    CKorvelDoc doc;
    const int status = [&] {
        if (const KResult opened = openMemberFile(doc, options.paths[0]); !opened)
            return exitStatus(opened);
        // The description as typed on the command line, in the file's code page.
        const KContribution* scheme = doc.findSchemeByDescription(
            CodePage::fromQString(QString::fromLocal8Bit(options.value("scheme"))));
        if (!scheme)
            return usage("geen contributie met die omschrijving");

        const std::vector<KExecution::Row> rows = KExecution::rows(doc, *scheme);
        std::vector<std::int32_t> chosen = select == "all"
                                               ? KExecution::allMembers(rows)
                                               : KExecution::membersWithoutAmount(rows);
        const KEdit::Applied applied = KEdit::applyScheme(doc, scheme->id(), std::move(chosen));
        if (const KResult saved = saveMemberFile(doc, options.paths[1]); !saved)
            return exitStatus(saved);
        std::printf("%s\n", KExecution::totalMessage(applied.total).toLocal8Bit().constData());
        return exitStatus(flushOutput());
    }();
    // Everything is written: the administration ends with the process.
    doc.abandonContents();
    return status;
}
