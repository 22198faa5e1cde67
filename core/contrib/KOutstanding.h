#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class CKorvelDoc;
class KCharge;
class KContribution;
class KMember;

// What the members still owe, per part name and per column of the overview: one column per
// scheme of the document (in scheme order, one per date and id), then one for the extra
// charges when a member has one.
//
// A charge belongs to the document's scheme with its id (the first in list order); a charge
// whose id no scheme has is an extra charge: made by hand, or left behind by a deleted scheme.
// A member's payments, all summed, clear the member's charges oldest first: by the date of the
// scheme a charge belongs to (an extra charge by its own date), then by id, charges that tie in
// their list order; within a charge part name by part name in the order of the part names.
// Each charge's amount of a part name is the sum of its parts of that name; what is left of it
// is outstanding. A part name whose amount is below 0 is a discount: it first lowers the
// charge's own other part names, in the order of the part names, and what is left of it clears
// like a payment. So every payment and every discount clears one debt once, and the
// outstanding amounts of a member add up to what the member's balance says is owed (with
// payments that are not negative).
class KOutstanding {
public:
    explicit KOutstanding(const CKorvelDoc& doc);

    // Every part name of every charge, in the order met: member by member, charge by charge,
    // part by part. Equal names (byte for byte) are one part name.
    const std::vector<std::string>& partNames() const { return m_names; }
    // The document's schemes of the columns, in scheme order; the extra column follows them
    // when there is one.
    const std::vector<const KContribution*>& schemeColumns() const { return m_schemes; }
    bool hasExtraColumn() const { return m_extra; }
    int columnCount() const { return static_cast<int>(m_schemes.size()) + (m_extra ? 1 : 0); }
    int nameCount() const { return static_cast<int>(m_names.size()); }

    // The member's outstanding amounts, column by column: shares[column * nameCount() + name].
    // The vector is resized and overwritten.
    void memberShares(const KMember& member, std::vector<double>& shares) const;
    // The sums over all members, in the same layout.
    std::vector<double> totals() const;

private:
    // A charge in clearing order.
    struct Slot {
        std::int32_t date;
        std::int32_t id;
        int column;
        const KCharge* charge;
    };
    int nameIndex(const std::string& name) const;
    int addName(const std::string& name);

    const CKorvelDoc& m_doc;
    std::vector<std::string> m_names;
    std::unordered_map<std::string, int> m_nameIndex;
    std::vector<const KContribution*> m_schemes;
    // Scheme id to the column of the first scheme in list order with that id, and its date.
    std::unordered_map<std::int32_t, std::pair<int, std::int32_t>> m_owner;
    bool m_extra = false;
    // Scratch space of memberShares, kept to spare allocations over many members.
    mutable std::vector<Slot> m_slots;
    mutable std::vector<std::pair<int, double>> m_amounts; // the slots' amounts, one after another
    mutable std::vector<std::size_t> m_firsts; // where each slot's amounts begin
};
