#include "core/output/MemberGridText.h"

#include "core/document/CKorvelDoc.h"
#include "core/format/Numbers.h"
#include "core/table/MemberColumns.h"
#include "core/table/MemberGridFont.h"
#include "core/table/MemberOrder.h"
#include "core/table/MemberTable.h"

#include <numeric>

namespace {

constexpr int kGeneral = 9;
constexpr int kRightAligned = 7;
const char* const kNumberTitle = "Nr.";

} // namespace

MemberGridText::MemberGridText(const CKorvelDoc& doc, std::string_view columnList) {
    if (doc.fields().empty())
        return;
    const MemberColumns columns(columnList, doc.fields());
    m_cols = static_cast<int>(columns.size()) + 1;
    m_alignment.assign(static_cast<std::size_t>(m_cols), kGeneral);

    std::vector<std::string> titles;
    titles.reserve(static_cast<std::size_t>(m_cols));
    titles.emplace_back("Identifier");
    for (std::size_t i = 0; i < columns.size(); ++i) {
        titles.push_back(columns.at(i).title);
        if (columns.at(i).code == MemberColumns::kBalance)
            m_alignment[i + 1] = kRightAligned;
    }
    m_rows.push_back(std::move(titles));

    MemberTable table(doc.members(), columns);
    std::vector<int> order;
    if (table.nameColumn() >= 0) {
        order = MemberOrder::byName(table.column(table.nameColumn())).sortedRows(true);
    } else {
        order.resize(static_cast<std::size_t>(table.rowCount()));
        std::iota(order.begin(), order.end(), 0);
    }
    m_rows.reserve(order.size() + 1);
    for (int member : order) {
        std::vector<std::string> row(static_cast<std::size_t>(m_cols));
        for (int col = 0; col < m_cols; ++col)
            row[static_cast<std::size_t>(col)] = table.take(member, col);
        m_rows.push_back(std::move(row));
    }

    // The running number follows the display order, in every "Nr." column as in the main view.
    for (int col = 0; col < m_cols; ++col) {
        if (m_rows[0][static_cast<std::size_t>(col)] != kNumberTitle)
            continue;
        for (std::size_t row = 1; row < m_rows.size(); ++row)
            m_rows[row][static_cast<std::size_t>(col)] =
                Numbers::decimal(static_cast<std::int64_t>(row));
    }
}

std::string MemberGridText::cellText(int row, int col) const {
    static const std::string none;
    if (row < 0 || row >= rowCount() || col < 0 || col >= m_cols)
        return none;
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

int MemberGridText::columnAlignment(int col) const {
    return col >= 0 && col < m_cols ? m_alignment[static_cast<std::size_t>(col)] : kGeneral;
}

KGridSource::Font MemberGridText::dataFont() const {
    // The font a new view shows its members in; the profile does not take part.
    const MemberGridFont font;
    return {font.name, font.size, font.bold, font.italic, font.underline, font.strikethrough};
}
