#include "core/table/MemberTable.h"

#include "core/format/Numbers.h"

#include <charconv>

namespace {

// "%1.2f", except that a balance that rounds to nought shows as "0.00": sums of charges and
// payments can leave -0.000000001, which is no debt in advance.
std::string balanceText(double balance) {
    std::string text = Numbers::fixed2(balance);
    if (text == "-0.00")
        text.erase(0, 1);
    return text;
}

void writeDecimal(std::string& cell, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    cell.assign(buffer, result.ptr);
}

// The value's display text, written into the cell's own buffer where the type allows it.
void writeValue(std::string& cell, const KField& value) {
    switch (value.type()) {
    case FieldType::Text:
        cell.assign(value.text());
        break;
    case FieldType::Number:
        writeDecimal(cell, value.number());
        break;
    case FieldType::Boolean:
        cell.assign(value.number() != 0 ? "Ja" : "Nee");
        break;
    default:
        cell = value.displayText();
        break;
    }
}

} // namespace

MemberTable::MemberTable(const KMemberList& members, const MemberColumns& columns)
    : m_rows(static_cast<int>(members.size())), m_cols(static_cast<int>(columns.size()) + 1) {
    m_cells.resize(static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_cols));
    const RowFiller filler(members, columns);
    int row = 0;
    for (const KMember& member : members) {
        filler.fill(member, row + 1, &m_cells[index(row, 0)], &m_nameColumn);
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
    writeDecimal(out[0], member.id());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::string& cell = out[i + 1];
        const std::int32_t code = columns.at(i).code;
        if (code == MemberColumns::kBalance) {
            cell = balanceText(member.balance());
        } else if (code == MemberColumns::kRunningNumber) {
            // Every "Nr." column of a row shows the row's number.
            writeDecimal(cell, runningNumber);
        } else if (const KField* value =
                       code == MemberColumns::kNoField ? nullptr : member.valueById(code)) {
            writeValue(cell, *value);
            if (value->meaning() == FieldMeaning::Name)
                *nameColumn = static_cast<int>(i + 1);
        } else {
            cell = kMissing;
        }
    }
}

MemberTable::RowFiller::RowFiller(const KMemberList& members, const MemberColumns& columns)
    : m_columns(columns) {
    if (members.empty())
        return;
    const KFieldList& values = members.front().values();
    m_ids.reserve(values.size());
    for (const KField& value : values)
        m_ids.push_back(value.id());
    m_position.reserve(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        // The first value of the id, as a lookup by id finds it.
        const std::int32_t code = columns.at(i).code;
        int position = -1;
        for (std::size_t v = 0; v < m_ids.size() && code != MemberColumns::kNoField; ++v)
            if (m_ids[v] == code) {
                position = static_cast<int>(v);
                break;
            }
        m_position.push_back(position);
    }
}

void MemberTable::RowFiller::fill(const KMember& member, std::int64_t runningNumber,
                                  std::string* out, int* nameColumn) const {
    const KFieldList& values = member.values();
    bool sameIds = values.size() == m_ids.size() && !m_ids.empty();
    for (std::size_t v = 0; v < m_ids.size() && sameIds; ++v)
        sameIds = values.at(v).id() == m_ids[v];
    if (!sameIds) {
        fillRow(member, m_columns, runningNumber, out, nameColumn);
        return;
    }
    writeDecimal(out[0], member.id());
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        std::string& cell = out[i + 1];
        const std::int32_t code = m_columns.at(i).code;
        if (code == MemberColumns::kBalance) {
            cell = balanceText(member.balance());
        } else if (code == MemberColumns::kRunningNumber) {
            // Every "Nr." column of a row shows the row's number.
            writeDecimal(cell, runningNumber);
        } else if (const int position = m_position[i]; position >= 0) {
            const KField& value = values.at(static_cast<std::size_t>(position));
            writeValue(cell, value);
            if (value.meaning() == FieldMeaning::Name)
                *nameColumn = static_cast<int>(i + 1);
        } else {
            cell = kMissing;
        }
    }
}
