#pragma once

#include "core/model/KMember.h"

#include <cstdint>
#include <functional>
#include <utility>

// The members as a change inside them reaches them (their values, charges and payments): each
// by id, or every one in list order. Which members there are, their order and their ids change
// only through the document's own mutators, so the list itself stays out of reach.
class KMemberAccess {
public:
    using Lookup = std::function<KMember*(std::int32_t)>;

    KMemberAccess(KMemberList& members, Lookup byId)
        : m_members(members), m_byId(std::move(byId)) {}

    // The first member in list order with that id; nullptr when there is none.
    KMember* member(std::int32_t id) const { return m_byId(id); }
    // member() as a function to hand on.
    const Lookup& lookup() const { return m_byId; }

    KMemberList::iterator begin() const { return m_members.begin(); }
    KMemberList::iterator end() const { return m_members.end(); }

private:
    KMemberList& m_members;
    Lookup m_byId;
};
