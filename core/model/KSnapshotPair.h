#pragma once

#include "core/model/KMember.h"

#include <cstdint>

class Archive;

// A record of the document's snapshot list. Read from a file, kept and written back unchanged.
class KSnapshotPair {
public:
    std::int32_t kind() const { return m_kind; } // 0 both, 1 first only, 2 second only
    void setKind(std::int32_t kind) { m_kind = kind; }
    std::int32_t key() const { return m_key; }
    void setKey(std::int32_t key) { m_key = key; }
    const KMember& first() const { return m_first; }
    KMember& first() { return m_first; }
    const KMember& second() const { return m_second; }
    KMember& second() { return m_second; }

    void Serialize(Archive& ar, int version);

private:
    std::int32_t m_kind = 0;
    std::int32_t m_key = 0;
    KMember m_first;
    KMember m_second;
};

template <> struct KListStorage<KSnapshotPair> {
    static constexpr bool stable = true;
};

template <> struct KListOrder<KSnapshotPair> {
    static bool before(const KSnapshotPair& a, const KSnapshotPair& b) {
        if (a.key() != b.key())
            return a.key() < b.key();
        return a.kind() < b.kind();
    }
};

using KSnapshotList = KSortedList<KSnapshotPair>;
