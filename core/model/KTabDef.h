#pragma once

#include "core/model/KSortedList.h"

#include <cstdint>
#include <string>
#include <vector>

class Archive;

// A tab ("rubriek"): one page of the member dialog with the ids of its fields in page order.
class KTabDef {
public:
    KTabDef() = default;
    KTabDef(std::string name, std::int32_t position)
        : m_name(std::move(name)), m_position(position) {}

    const std::string& name() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    std::int32_t position() const { return m_position; }
    void setPosition(std::int32_t position) { m_position = position; }
    const std::vector<std::int32_t>& fieldIds() const { return m_fieldIds; }
    std::size_t count() const { return m_fieldIds.size(); }

    void addFieldId(std::int32_t id) { m_fieldIds.push_back(id); }
    // Removes the first occurrence; an id that is not there changes nothing.
    void removeFieldId(std::int32_t id);

    bool operator!=(const KTabDef& other) const { return m_name != other.m_name; }

    void Serialize(Archive& ar, int version);

private:
    std::string m_name;
    std::vector<std::int32_t> m_fieldIds;
    std::int32_t m_position = -1;
};

template <> struct KListStorage<KTabDef> {
    static constexpr bool stable = true;
};

template <> struct KListOrder<KTabDef> {
    static bool before(const KTabDef& a, const KTabDef& b) { return a.name() < b.name(); }
};

using KTabList = KSortedList<KTabDef>;
