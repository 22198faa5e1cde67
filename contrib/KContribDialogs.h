#pragma once

#include "core/contrib/KExecution.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class KOverview;
class KProgressReport;
class KSchemeEditor;

// The windows the contribution commands open. The program shows real dialogs
// (KContribDialogWindows); tests answer from a script. Each takes what it shows and hands back
// what the user chose; none of them changes the document.
class KContribDialogs {
public:
    virtual ~KContribDialogs() = default;

    // The scheme dialog on the editor's working copy; true after OK (the editor then holds the
    // scheme as edited), false after cancel.
    virtual bool editScheme(KSchemeEditor& editor) = 0;
    // The execution dialog: the members chosen, in the order of its grid, after "&Voer uit";
    // nothing after "Annuleren".
    virtual std::optional<std::vector<std::int32_t>>
    chooseMembers(const std::string& schemeDescription, const std::vector<KExecution::Row>& rows) = 0;
    // The overview, until the user closes it; a double click on a cell asks cellChosen.
    virtual void showOverview(const KOverview& overview,
                              const std::function<void(int row, int col)>& cellChosen) = 0;
    // Where the execution of a scheme over many members shows its progress; nullptr for none.
    virtual std::unique_ptr<KProgressReport> progress() = 0;
};
