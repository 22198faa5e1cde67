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
    const auto cols = static_cast<std::size_t>(m_cols);
    m_alignment.assign(cols, kGeneral);
    m_numbered.assign(cols, 0);

    m_titles.reserve(cols);
    m_titles.emplace_back("Identifier");
    for (std::size_t i = 0; i < columns.size(); ++i) {
        m_titles.push_back(columns.at(i).title);
        if (columns.at(i).code == MemberColumns::kBalance)
            m_alignment[i + 1] = kRightAligned;
        // The running number follows the display order, in every "Nr." column as in the main
        // view; it is worked out when asked.
        m_numbered[i + 1] = m_titles.back() == kNumberTitle;
    }

    // Each member's cells are made in one reused row and written once into the text buffer,
    // in list order.
    const KMemberList& members = doc.members();
    const MemberTable::RowFiller filler(members, columns);
    std::vector<std::string> row(cols);
    int nameColumn = -1;
    m_ends.reserve(members.size() * cols);
    std::int64_t number = 0;
    for (const KMember& member : members) {
        int found = -1;
        filler.fill(member, ++number, row.data(), &found);
        if (found >= 0)
            nameColumn = found;
        for (const std::string& cell : row) {
            m_text += cell;
            m_ends.push_back(m_text.size());
        }
    }
    m_text.shrink_to_fit();

    if (nameColumn >= 0) {
        // Sorted by the last column any member showed its name in.
        std::vector<std::string> names;
        names.reserve(members.size());
        for (std::size_t m = 0; m < members.size(); ++m)
            names.emplace_back(memberCell(static_cast<int>(m), nameColumn));
        m_order = MemberOrder::byName(std::move(names)).sortedRows(true);
    } else {
        m_order.resize(members.size());
        std::iota(m_order.begin(), m_order.end(), 0);
    }
}

std::string_view MemberGridText::memberCell(int member, int col) const {
    const std::size_t k = static_cast<std::size_t>(member) * static_cast<std::size_t>(m_cols) +
                          static_cast<std::size_t>(col);
    const std::size_t begin = k == 0 ? 0 : m_ends[k - 1];
    return std::string_view(m_text).substr(begin, m_ends[k] - begin);
}

std::string MemberGridText::cellText(int row, int col) const {
    if (row < 0 || row >= rowCount() || col < 0 || col >= m_cols)
        return {};
    const auto c = static_cast<std::size_t>(col);
    if (row == 0)
        return m_titles[c];
    if (m_numbered[c])
        return Numbers::decimal(static_cast<std::int64_t>(row));
    return std::string(memberCell(m_order[static_cast<std::size_t>(row - 1)], col));
}

std::vector<std::vector<std::string>> MemberGridText::rows() const {
    std::vector<std::vector<std::string>> all(static_cast<std::size_t>(rowCount()));
    for (int row = 0; row < rowCount(); ++row)
        for (int col = 0; col < m_cols; ++col)
            all[static_cast<std::size_t>(row)].push_back(cellText(row, col));
    return all;
}

int MemberGridText::columnAlignment(int col) const {
    return col >= 0 && col < m_cols ? m_alignment[static_cast<std::size_t>(col)] : kGeneral;
}

KGridSource::Font MemberGridText::dataFont() const {
    // The font a new view shows its members in; the profile does not take part.
    const MemberGridFont font;
    return {font.name, font.size, font.bold, font.italic, font.underline, font.strikethrough};
}
