#include "core/table/MemberTable.h"

#include "core/format/Numbers.h"

namespace {

// "%1.2f", except that a balance that rounds to nought shows as "0.00": sums of charges and
// payments can leave -0.000000001, which is no debt in advance.
std::string balanceText(double balance) {
    std::string text = Numbers::fixed2(balance);
    if (text == "-0.00")
        text.erase(0, 1);
    return text;
}

} // namespace

MemberTable::MemberTable(const KMemberList& members, const MemberColumns& columns)
    : m_rows(static_cast<int>(members.size())), m_cols(static_cast<int>(columns.size()) + 1) {
    m_cells.resize(static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_cols));
    int row = 0;
    for (const KMember& member : members) {
        fillRow(member, columns, row + 1, &m_cells[index(row, 0)], &m_nameColumn);
        ++row;
    }
}

std::vector<std::string> MemberTable::column(int col) const {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(m_rows));
    for (int row = 0; row < m_rows; ++row)
        texts.push_back(cell(row, col));
    return texts;
}

std::vector<std::string> MemberTable::rowTexts(const KMember& member, const MemberColumns& columns,
                                               std::int64_t runningNumber, int* nameColumn) {
    std::vector<std::string> texts(columns.size() + 1);
    int found = -1;
    fillRow(member, columns, runningNumber, texts.data(), &found);
    if (nameColumn)
        *nameColumn = found;
    return texts;
}

void MemberTable::fillRow(const KMember& member, const MemberColumns& columns,
                          std::int64_t runningNumber, std::string* out, int* nameColumn) {
    out[0] = Numbers::decimal(member.id());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::string& cell = out[i + 1];
        const std::int32_t code = columns.at(i).code;
        if (code == MemberColumns::kBalance) {
            cell = balanceText(member.balance());
        } else if (code == MemberColumns::kRunningNumber) {
            // Every "Nr." column of a row shows the row's number.
            cell = Numbers::decimal(runningNumber);
        } else if (const KField* value =
                       code == MemberColumns::kNoField ? nullptr : member.valueById(code)) {
            cell = value->displayText();
            if (value->meaning() == FieldMeaning::Name)
                *nameColumn = static_cast<int>(i + 1);
        } else {
            cell = kMissing;
        }
    }
}
