#include "cli/OverviewCommand.h"

#include "cli/JsonWriter.h"
#include "core/contrib/KOverview.h"
#include "core/document/CKorvelDoc.h"
#include "platform/CodePage.h"

#include <cstdio>

int overviewCommand(int argc, char** argv, UsageReport usage) {
    CommandOptions options;
    if (const char* why = parseCommandOptions(argc, argv, {}, options))
        return usage(why);
    if (options.paths.size() != 1)
        return usage("verkeerd aantal bestanden");

    CKorvelDoc doc;
    const KResult result = [&] {
        if (const KResult opened = openMemberFile(doc, options.paths[0]); !opened)
            return opened;
        const KOverview overview(doc);

        // Written as the command's description shows it:
        // {"grid": [["", "2025"], ...], "alerts": []}.
        const auto quoted = [](std::string& out, const std::string& bytes) {
            JsonWriter::appendQuoted(out, CodePage::toUtf8(bytes));
        };
        std::string json = "{\"grid\": [";
        for (int row = 0; row < overview.rowCount(); ++row) {
            json += row ? ", [" : "[";
            for (int col = 0; col < overview.colCount(); ++col) {
                if (col)
                    json += ", ";
                quoted(json, overview.cell(row, col));
            }
            json += "]";
        }
        // What the user is told besides the grid: nothing, or why the grid is empty.
        json += "], \"alerts\": [";
        if (const KResult& filled = overview.filled(); !filled.reason().isEmpty())
            quoted(json, CodePage::fromQString(filled.reason()));
        json += "]}\n";
        return flushOutput(std::fwrite(json.data(), 1, json.size(), stdout) == json.size());
    }();
    // Everything is written: the administration ends with the process.
    doc.abandonContents();
    return exitStatus(result);
}
