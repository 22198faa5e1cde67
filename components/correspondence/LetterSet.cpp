#include "components/correspondence/LetterSet.h"

void LetterSet::clear() {
    m_prefix.clear();
    m_listFields.clear();
    m_members.clear();
    m_memberIndex.clear();
    m_fieldNames.clear();
    m_fieldIndex.clear();
}

void LetterSet::addValue(std::int32_t memberId, const QString& name, const QString& value) {
    auto it = m_memberIndex.find(memberId);
    if (it == m_memberIndex.end()) {
        it = m_memberIndex.insert(memberId, static_cast<int>(m_members.size()));
        m_members.push_back({memberId, {}});
    }
    m_members[static_cast<std::size_t>(*it)].values.emplace_back(name, value);
    if (!m_fieldIndex.contains(name)) {
        m_fieldIndex.insert(name, static_cast<int>(m_fieldNames.size()));
        m_fieldNames.append(name);
    }
}

std::optional<QString> LetterSet::value(int index, const QString& name) const {
    if (index < 0 || index >= memberCount())
        return std::nullopt;
    for (const auto& [field, text] : member(index).values)
        if (field == name)
            return text;
    return std::nullopt;
}

double LetterSet::owed(int index) const {
    const std::optional<QString> total = value(index, QStringLiteral("Totaal"));
    return total ? total->toDouble() : 0.0;
}
