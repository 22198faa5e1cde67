#pragma once

#include "core/model/KMember.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// Makes the charges of one scheme for many members, each exactly the charge ApplyContribution
// would make: the texts of the scheme's conditions are made once, not once per member, and the
// members who owe the same parts get copies of one charge. The scheme must not change while
// this is in use.
class KSchemeCharges {
public:
    explicit KSchemeCharges(const KContribution& scheme);

    // A copy of the scheme with the parts the member owes; nullptr when it owes none.
    std::unique_ptr<KCharge> chargeFor(const KMember& member);

private:
    struct Part {
        const KContrPart* part;
        // Each condition: the place of its field id in m_fieldIds, and the text the member's
        // value must show.
        std::vector<std::pair<std::size_t, std::string>> conditions;
    };
    bool owes(const Part& part) const;
    std::unique_ptr<KCharge> make(const std::vector<bool>& owed) const;

    const KContribution& m_scheme;
    std::vector<Part> m_parts;
    // The field ids the conditions name, each once; a member's values are looked up once.
    std::vector<std::int32_t> m_fieldIds;
    std::vector<const KField*> m_values;
    std::vector<bool> m_owed;
    // The charge for each set of parts owed, by the set's bits (schemes of up to 64 parts).
    std::unordered_map<std::uint64_t, std::unique_ptr<KCharge>> m_made;
};
