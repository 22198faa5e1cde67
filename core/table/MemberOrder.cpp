#include "core/table/MemberOrder.h"

#include "core/format/Numbers.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>

namespace {

int compareBytes(std::string_view a, std::string_view b) {
    // char_traits<char> compares as unsigned char, the order of the code page.
    const int c = std::string_view(a).compare(b);
    return (c > 0) - (c < 0);
}

int compareNameParts(bool spaceA, std::string_view tailA, std::string_view wholeA, bool spaceB,
                     std::string_view tailB, std::string_view wholeB) {
    if (!spaceA || !spaceB)
        return spaceA == spaceB ? 0 : (spaceA ? 1 : -1);
    const int tails = compareBytes(tailA, tailB);
    return tails != 0 ? tails : compareBytes(wholeA, wholeB);
}

} // namespace

int MemberOrder::compareNames(std::string_view a, std::string_view b) {
    const std::size_t spaceA = a.rfind(' ');
    const std::size_t spaceB = b.rfind(' ');
    const bool hasA = spaceA != std::string_view::npos;
    const bool hasB = spaceB != std::string_view::npos;
    return compareNameParts(hasA, hasA ? a.substr(spaceA) : a, a, hasB, hasB ? b.substr(spaceB) : b,
                            b);
}

MemberOrder MemberOrder::byName(std::vector<std::string> names) {
    MemberOrder order;
    order.m_byName = true;
    order.m_text = std::move(names);
    order.m_rank.reserve(order.m_text.size());
    order.m_tail.reserve(order.m_text.size());
    for (const std::string& name : order.m_text) {
        const std::size_t space = name.rfind(' ');
        order.m_rank.push_back(space == std::string::npos ? 0 : 1);
        order.m_tail.push_back(space == std::string::npos ? 0 : static_cast<std::uint32_t>(space));
    }
    return order;
}

MemberOrder MemberOrder::byDate(const KMemberList& members, FieldMeaning meaning,
                                const std::vector<std::string>& ids) {
    std::unordered_map<std::int32_t, KDateValue> dates;
    dates.reserve(members.size());
    for (const KMember& member : members)
        dates.emplace(member.id(), member.dateByMeaning(meaning)); // the first of equal ids
    MemberOrder order;
    order.m_byName = false;
    order.m_rank.reserve(ids.size());
    order.m_date.reserve(ids.size());
    for (const std::string& id : ids) {
        const auto it = dates.find(Numbers::leadingLong(id));
        order.m_rank.push_back(it == dates.end() ? 1 : 0);
        order.m_date.push_back(it == dates.end() ? 0 : it->second.value());
    }
    return order;
}

int MemberOrder::compare(int a, int b) const {
    const auto ia = static_cast<std::size_t>(a);
    const auto ib = static_cast<std::size_t>(b);
    if (ia >= m_rank.size() || ib >= m_rank.size())
        return 0;
    if (m_byName) {
        const std::string_view ta = m_text[ia];
        const std::string_view tb = m_text[ib];
        return compareNameParts(m_rank[ia] != 0, ta.substr(m_tail[ia]), ta, m_rank[ib] != 0,
                                tb.substr(m_tail[ib]), tb);
    }
    if (m_rank[ia] != m_rank[ib])
        return m_rank[ia] < m_rank[ib] ? -1 : 1;
    if (m_rank[ia] != 0 || m_date[ia] == m_date[ib])
        return 0;
    return m_date[ia] < m_date[ib] ? -1 : 1;
}

std::vector<int> MemberOrder::sortedRows(bool ascending) const {
    std::vector<int> rows(m_rank.size());
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(),
                     [&](int a, int b) { return compare(a, b, ascending) < 0; });
    return rows;
}

MemberOrder::Kind MemberOrder::kindOfColumn(const KMemberList& members, std::int32_t code) {
    if (members.empty())
        return Kind::Grid;
    const KField* value = members.front().valueById(code);
    if (!value)
        return Kind::Grid;
    switch (value->meaning()) {
    case FieldMeaning::Name:
        return Kind::Name;
    case FieldMeaning::BirthDate:
        return Kind::BirthDate;
    case FieldMeaning::RegistrationDate:
        return Kind::RegistrationDate;
    default:
        return Kind::Grid;
    }
}
