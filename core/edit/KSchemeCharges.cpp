#include "core/edit/KSchemeCharges.h"

#include <algorithm>

namespace {

constexpr std::size_t kKeyedParts = 64;

} // namespace

KSchemeCharges::KSchemeCharges(const KContribution& scheme) : m_scheme(scheme) {
    for (const KContrPart& part : scheme.parts()) {
        Part prepared{&part, {}};
        for (const KField& condition : part.conditions()) {
            const auto known = std::find(m_fieldIds.begin(), m_fieldIds.end(), condition.id());
            const std::size_t place = static_cast<std::size_t>(known - m_fieldIds.begin());
            if (known == m_fieldIds.end())
                m_fieldIds.push_back(condition.id());
            prepared.conditions.emplace_back(place, condition.displayText());
        }
        m_parts.push_back(std::move(prepared));
    }
    m_values.resize(m_fieldIds.size());
    m_owed.resize(m_parts.size());
}

bool KSchemeCharges::owes(const Part& part) const {
    // As Applies: the member's value with the condition's id shows the condition's text; a
    // missing value shows the empty text.
    for (const auto& [place, text] : part.conditions) {
        const KField* value = m_values[place];
        if (value ? !value->displayTextEquals(text) : !text.empty())
            return false;
    }
    return true;
}

std::unique_ptr<KCharge> KSchemeCharges::make(const std::vector<bool>& owed) const {
    // Built as ApplyContribution builds it: a copy of the scheme without parts, then each part
    // owed added in the scheme's part order.
    auto copy = std::make_unique<KContribution>(m_scheme.id());
    copy->setDescription(m_scheme.description());
    copy->setDate(m_scheme.date());
    for (std::size_t i = 0; i < m_parts.size(); ++i)
        if (owed[i])
            copy->AddPart(*m_parts[i].part);
    if (copy->parts().empty())
        return nullptr;
    return std::make_unique<KCharge>(std::move(copy));
}

std::unique_ptr<KCharge> KSchemeCharges::chargeFor(const KMember& member) {
    for (std::size_t i = 0; i < m_fieldIds.size(); ++i)
        m_values[i] = member.valueById(m_fieldIds[i]);
    std::uint64_t key = 0;
    bool any = false;
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        m_owed[i] = owes(m_parts[i]);
        any = any || m_owed[i];
        if (m_owed[i] && i < kKeyedParts)
            key |= std::uint64_t{1} << i;
    }
    if (!any)
        return nullptr;
    if (m_parts.size() > kKeyedParts)
        return make(m_owed);
    auto found = m_made.find(key);
    if (found == m_made.end())
        found = m_made.emplace(key, make(m_owed)).first;
    return std::make_unique<KCharge>(*found->second);
}
