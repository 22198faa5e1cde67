#pragma once

#include "view/KCommandHost.h"

#include <QString>

#include <memory>

class KExchangeDialogs;
class KImportTable;

// Member lists in and out: "Bestand > &Importeren..." (32810) reads a spreadsheet or a CSV
// file, "Bewerken > &Plakken" (57637) the rows copied from a spreadsheet, both through the
// mapping dialog and as one step to undo; "Leden > Exporteren naar &Excel..." (32812) writes
// the members in the grid's order as a workbook.
class KExchangeCommands : public KAreaCommands {
public:
    KExchangeCommands(KCommandHost& host, std::unique_ptr<KExchangeDialogs> dialogs);
    ~KExchangeCommands() override;

    void importFile();
    void paste();
    void exportExcel();

private:
    // The mapping dialog, the questions, the edit and its result.
    void importTable(const KImportTable& table, const QString& source);

    KCommandHost& m_host;
    std::unique_ptr<KExchangeDialogs> m_dialogs;
};

// The exchange commands with the program's windows.
std::unique_ptr<KAreaCommands> makeExchangeCommands(KCommandHost& host);
