#pragma once

#include "core/model/KField.h"

#include <cstdint>
#include <memory>
#include <string>

class Archive;

// One part of a contribution scheme: a name, an amount and the conditions a member must meet
// to owe it. The condition list may be absent, which orders before an empty one.
class KContrPart {
public:
    KContrPart() = default; // empty name, id -1, no conditions, 0.0
    KContrPart(std::string name, std::int32_t id, double amount)
        : m_name(std::move(name)), m_id(id), m_amount(amount) {}

    const std::string& name() const { return m_name.str(); }
    void setName(std::string name) { m_name = KSharedText(std::move(name)); }
    std::int32_t id() const { return m_id; }
    void setId(std::int32_t id) { m_id = id; }
    double amount() const { return m_amount; }
    void setAmount(double amount) { m_amount = amount; }

    bool hasConditionList() const { return m_hasConditions; }
    const KFieldList& conditions() const { return m_conditions ? *m_conditions : noConditions(); }
    std::size_t conditionCount() const { return m_conditions ? m_conditions->size() : 0; }

    // Inserts a copy; creates the list when absent.
    void AddCondition(const KField& condition);
    // Finds the first condition with the record's id and removes the first condition alike to it.
    void RemoveCondition(const KField& condition);
    void removeConditionById(std::int32_t fieldId);
    // Replaces all conditions by copies; nullptr leaves no list.
    void SetConditions(const KFieldList* conditions);

    // Same amount and name, and either both without conditions or every condition of this part
    // has an alike condition with the same display text in the other.
    bool operator==(const KContrPart& other) const;

    void Serialize(Archive& ar, int version);

private:
    using Conditions = std::shared_ptr<const KFieldList>;
    static const KFieldList& noConditions();
    // Every change makes a new list: copies of a part (every charge of a scheme holds copies
    // of its parts) share their conditions until one of them changes.
    template <class Change> void changeConditions(Change change);

    KSharedText m_name; // every charge of a scheme holds a copy of its parts
    std::int32_t m_id = -1;
    bool m_hasConditions = false;
    Conditions m_conditions; // nullptr when there are none
    double m_amount = 0.0;
};

// Highest amount first, then name, then fewer conditions (no list before a list).
template <> struct KListOrder<KContrPart> {
    static long rank(const KContrPart& p) {
        return p.hasConditionList() ? static_cast<long>(p.conditionCount()) : -1;
    }
    static bool before(const KContrPart& a, const KContrPart& b) {
        if (a.amount() != b.amount())
            return a.amount() > b.amount();
        int c = a.name().compare(b.name());
        if (c != 0)
            return c < 0;
        return rank(a) < rank(b);
    }
};

using KPartList = KSortedList<KContrPart>;
