#include "core/contrib/KOverview.h"

#include "core/document/CKorvelDoc.h"
#include "core/format/Numbers.h"

namespace {

double valueOf(const std::string& text) {
    return Numbers::leadingReal(text);
}

} // namespace

KOverview::KOverview(const CKorvelDoc& doc) : m_doc(doc) {
    fill();
}

KOverview::~KOverview() = default;

const std::string& KOverview::cell(int row, int col) const {
    static const std::string empty;
    if (row < 0 || row >= rowCount() || col < 0 || col >= colCount())
        return empty;
    return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

bool KOverview::bold(int row, int col) const {
    if (!m_totals || row < 0 || row >= rowCount() || col < 0 || col >= colCount())
        return false;
    return m_rowName[static_cast<std::size_t>(row)] == kAll ||
           m_colColumn[static_cast<std::size_t>(col)] == kAll;
}

void KOverview::fill() {
    if (m_doc.members().empty()) {
        m_filled = KResult::nothingToDo(QString::fromLatin1(kNoMembers));
        return;
    }
    m_outstanding = std::make_unique<KOutstanding>(m_doc);
    const KOutstanding& owed = *m_outstanding;
    const int names = owed.nameCount();
    if (names == 0) {
        m_filled = KResult::nothingToDo(QString::fromLatin1(kNoDebts));
        return;
    }

    const int columns = owed.columnCount();
    const std::vector<double> sums = owed.totals();
    m_cells.assign(static_cast<std::size_t>(names + 2),
                   std::vector<std::string>(static_cast<std::size_t>(columns + 1)));
    m_rowName.assign(static_cast<std::size_t>(names + 2), kTitle);
    m_colColumn.assign(static_cast<std::size_t>(columns + 1), kTitle);
    for (int k = 0; k < names; ++k) {
        m_cells[static_cast<std::size_t>(k + 1)][0] = owed.partNames()[static_cast<std::size_t>(k)];
        m_rowName[static_cast<std::size_t>(k + 1)] = k;
    }
    m_cells.back()[0] = kTotal;
    m_rowName.back() = kAll;
    for (int c = 0; c < columns; ++c) {
        const bool extra = c == static_cast<int>(owed.schemeColumns().size());
        m_cells[0][static_cast<std::size_t>(c + 1)] =
            extra ? std::string(kExtra) : owed.schemeColumns()[static_cast<std::size_t>(c)]->description();
        m_colColumn[static_cast<std::size_t>(c + 1)] = c;
        for (int k = 0; k < names; ++k)
            m_cells[static_cast<std::size_t>(k + 1)][static_cast<std::size_t>(c + 1)] =
                Numbers::fixed2(sums[static_cast<std::size_t>(c * names + k)]);
    }
    prune();
    addTotals();
}

void KOverview::prune() {
    // As the cells show them: an amount that shows as 0.00 is nothing.
    const auto rowOwes = [this](std::size_t r) {
        for (std::size_t c = 1; c < m_cells[r].size(); ++c)
            if (valueOf(m_cells[r][c]) > 0.0)
                return true;
        return false;
    };
    const auto columnOwes = [this](std::size_t c) {
        for (std::size_t r = 1; r < m_cells.size(); ++r)
            if (valueOf(m_cells[r][c]) > 0.0)
                return true;
        return false;
    };
    bool removed = true;
    while (removed) {
        removed = false;
        for (std::size_t r = 1; r + 1 < m_cells.size();) {
            if (rowOwes(r)) {
                ++r;
                continue;
            }
            m_cells.erase(m_cells.begin() + static_cast<std::ptrdiff_t>(r));
            m_rowName.erase(m_rowName.begin() + static_cast<std::ptrdiff_t>(r));
        }
        for (std::size_t c = 1; c < m_colColumn.size();) {
            if (columnOwes(c)) {
                ++c;
                continue;
            }
            for (auto& row : m_cells)
                row.erase(row.begin() + static_cast<std::ptrdiff_t>(c));
            m_colColumn.erase(m_colColumn.begin() + static_cast<std::ptrdiff_t>(c));
            removed = true;
        }
    }
}

void KOverview::addTotals() {
    if (colCount() <= 1)
        return;
    for (auto& row : m_cells)
        row.emplace_back();
    m_cells[0].back() = kTotal;
    m_colColumn.push_back(kAll);
    const std::size_t last = m_cells.size() - 1;
    const std::size_t totalCol = m_colColumn.size() - 1;
    for (std::size_t c = 1; c <= totalCol; ++c) {
        double sum = 0.0;
        for (std::size_t r = 1; r < last; ++r)
            sum += valueOf(m_cells[r][c]);
        m_cells[last][c] = Numbers::fixed2(sum);
    }
    for (std::size_t r = 1; r <= last; ++r) {
        double sum = 0.0;
        for (std::size_t c = 1; c < totalCol; ++c)
            sum += valueOf(m_cells[r][c]);
        m_cells[r][totalCol] = Numbers::fixed2(sum);
    }
    m_totals = true;
}

KOverview::Members KOverview::membersOf(int row, int col) const {
    Members result;
    if (row <= 0 || col <= 0 || row >= rowCount() || col >= colCount() || !m_outstanding)
        return result;
    if (valueOf(cell(row, col)) < 0.01)
        return result;
    result.title = cell(0, col) + " / " + cell(row, 0);
    const int name = m_rowName[static_cast<std::size_t>(row)];
    const int column = m_colColumn[static_cast<std::size_t>(col)];
    const int names = m_outstanding->nameCount();
    const int columns = m_outstanding->columnCount();
    std::vector<double> shares;
    for (const KMember& member : m_doc.members()) {
        m_outstanding->memberShares(member, shares);
        double amount = 0.0;
        for (int c = 0; c < columns; ++c) {
            if (column != kAll && c != column)
                continue;
            for (int k = 0; k < names; ++k)
                if (name == kAll || k == name)
                    amount += shares[static_cast<std::size_t>(c * names + k)];
        }
        // Listed when it shows as an amount: a rest below half a cent shows as 0.00.
        const std::string text = Numbers::fixed2(amount);
        if (valueOf(text) >= 0.01)
            result.lines.push_back(member.textByMeaning(FieldMeaning::Name) + ": " + text);
    }
    return result;
}
