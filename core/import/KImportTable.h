#pragma once

#include "core/KOutcome.h"
#include "core/import/KImportCell.h"

#include <vector>

// A table read from a file or the clipboard: its rows of cells, each with the number the file
// gives it (the line of a text file where the row starts, the row of a worksheet; 1 is the
// first). Rows without anything in them are left out, and so are empty cells at a row's end.
class KImportTable {
public:
    // The rows the mapping dialog shows, and from which the table takes its columns.
    static constexpr int kPreviewRows = 20;
    // More columns than any spreadsheet has mean a damaged file.
    static constexpr int kMaxColumns = 16384;

    void addRow(std::vector<KImportCell> cells, int sourceRow);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int columnCount() const { return m_columns; }
    // An empty cell outside the row.
    const KImportCell& cell(int row, int col) const;
    int sourceRow(int row) const { return m_sourceRows[static_cast<std::size_t>(row)]; }

    // Takes the columns from the first kPreviewRows rows. A later row with a value beyond them
    // would lose it, or stands shifted by a separator too many: the table cannot be read then.
    // An empty table cannot be read either.
    KResult finish();

private:
    std::vector<std::vector<KImportCell>> m_rows;
    std::vector<int> m_sourceRows;
    int m_columns = 0;
};
