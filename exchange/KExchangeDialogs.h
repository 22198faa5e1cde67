#pragma once

#include "core/import/KImportMapping.h"

#include <QString>

#include <optional>

struct KImportReport;
struct KImportSetup;
class KProgressReport;

// What the exchange commands ask of the user, value in and value out. The program answers with
// its dialogs; tests answer from a script.
class KExchangeDialogs {
public:
    virtual ~KExchangeDialogs() = default;

    // The table to import, chosen in the open dialog; nothing when the user cancelled.
    virtual std::optional<QString> importFile() = 0;
    // The mapping dialog on the table; nothing when the user cancelled.
    virtual std::optional<KImportMapping> mapColumns(const KImportSetup& setup) = 0;
    // What the import did.
    virtual void showResult(const KImportReport& report) = 0;
    // The workbook to write, chosen in the save dialog; nothing when the user cancelled.
    virtual std::optional<QString> excelFile() = 0;
    // The text on the clipboard; empty when it holds none.
    virtual QString clipboardText() = 0;
    // Whether the clipboard holds text: asked whenever a command's state is, so it is cheap.
    virtual bool clipboardHasText() = 0;
    // Where long work reports how far it is.
    virtual KProgressReport& progress() = 0;
};
