#pragma once

#include "core/format/KDateValue.h"
#include "core/model/KContrPart.h"

#include <cstdint>
#include <string>

class Archive;

// A contribution scheme: a description, a date and the parts members are charged by.
class KContribution {
public:
    explicit KContribution(std::int32_t id = 0) : m_id(id) {} // today, no parts

    std::int32_t id() const { return m_id; }
    void setId(std::int32_t id) { m_id = id; }
    const std::string& description() const { return m_description.str(); }
    void setDescription(std::string description) {
        m_description = KSharedText(std::move(description));
    }
    KDateValue date() const { return m_date; }
    void setDate(KDateValue date) { m_date = date; }

    const KPartList& parts() const { return m_parts; }
    KPartList& parts() { return m_parts; }
    // Inserts a copy in part order.
    void AddPart(const KContrPart& part);
    // Finds the part with that id and removes the first part equal to it.
    void RemovePart(std::int32_t partId);
    void ClearParts() { m_parts.clear(); }

    // Same date and id.
    bool operator==(const KContribution& other) const {
        return m_date == other.m_date && m_id == other.m_id;
    }

    void Serialize(Archive& ar, int version);

private:
    std::int32_t m_id = 0;
    KSharedText m_description; // every charge of the scheme holds a copy
    KDateValue m_date;
    KPartList m_parts;
};

// The document's schemes are found by id and handed out: each keeps its address.
template <> struct KListStorage<KContribution> {
    static constexpr bool stable = true;
};

template <> struct KListOrder<KContribution> {
    static bool before(const KContribution& a, const KContribution& b) {
        if (a.date() != b.date())
            return a.date() < b.date();
        return a.id() < b.id();
    }
};

using KSchemeList = KSortedList<KContribution>;
