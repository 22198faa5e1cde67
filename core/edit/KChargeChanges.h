#pragma once

#include "core/model/KMember.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The charges of many members changed for one scheme, recorded compactly so that undoing puts
// every member's charge list back exactly as it was: per changed member only its id, the places
// of the charge taken out and the charge put in, and the charge taken out. Executing a scheme
// over 100,000 members that had no charge of it costs a few bytes a member.
class KChargeChanges {
public:
    // Does what ApplyContribution does to the member and records it.
    void apply(KMember& member, const KContribution& scheme);
    // The same with the charge made beforehand (nullptr: the member owes no part).
    void apply(KMember& member, std::int32_t schemeId, std::unique_ptr<KCharge> charge);
    // Does what RemoveCharge does to the member and records it.
    void remove(KMember& member, std::int32_t schemeId);
    // Undoes everything recorded, the last change first. The charges taken out of the members
    // are kept, so that redo() puts the very same ones back without working them out again.
    void undo(const std::function<KMember*(std::int32_t)>& memberOf);
    // Does again what undo() took back; false when there is nothing kept to do it with.
    bool redo(const std::function<KMember*(std::int32_t)>& memberOf);
    void clear() { m_entries.clear(); }

    // The members changed, in the order they were changed.
    std::vector<std::int32_t> memberIds() const;
    bool empty() const { return m_entries.empty(); }
    // What the record takes in memory, the charges taken out included.
    std::size_t memoryBytes() const;

private:
    struct Entry {
        std::int32_t member = 0;
        std::int32_t removedAt = -1;
        std::int32_t insertedAt = -1;
        std::unique_ptr<KCharge> removed;
        std::unique_ptr<KCharge> inserted; // while undone
    };
    bool m_undone = false;
    std::vector<Entry> m_entries;
};
