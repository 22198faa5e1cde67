#include "core/import/KImportTable.h"

#include <algorithm>

void KImportTable::addRow(std::vector<KImportCell> cells, int sourceRow) {
    while (!cells.empty() && cells.back().isBlank())
        cells.pop_back();
    if (cells.empty())
        return;
    m_rows.push_back(std::move(cells));
    m_sourceRows.push_back(sourceRow);
}

const KImportCell& KImportTable::cell(int row, int col) const {
    static const KImportCell empty;
    if (row < 0 || row >= rowCount() || col < 0)
        return empty;
    const auto& cells = m_rows[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(col) < cells.size() ? cells[static_cast<std::size_t>(col)]
                                                         : empty;
}

KResult KImportTable::finish() {
    if (m_rows.empty())
        return KResult::failed(QStringLiteral("De tabel bevat geen gegevens."));
    const std::size_t preview = std::min<std::size_t>(m_rows.size(), kPreviewRows);
    std::size_t columns = 0;
    for (std::size_t i = 0; i < preview; ++i)
        columns = std::max(columns, m_rows[i].size());
    for (std::size_t i = preview; i < m_rows.size(); ++i) {
        if (m_rows[i].size() > columns)
            return KResult::failed(
                QStringLiteral("Rij %1 heeft %2 kolommen, meer dan de %3 van de eerste rijen. "
                               "Staat daar een scheidingsteken te veel of een aanhalingsteken "
                               "te weinig? Er is niets ingelezen.")
                    .arg(m_sourceRows[i])
                    .arg(m_rows[i].size())
                    .arg(columns));
    }
    m_columns = static_cast<int>(columns);
    return KResult::done();
}
