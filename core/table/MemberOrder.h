#pragma once

#include "core/format/KDateValue.h"
#include "core/model/KMember.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The two orders of the member grid beside the grid's own: by name, which sorts on the last
// word (the surname) and breaks ties on the whole text, and by a date of the member. The keys
// of every grid row are worked out once before a sort; compare() then only looks them up.
class MemberOrder {
public:
    // How a click on a column title sorts.
    enum class Kind { Grid, Name, BirthDate, RegistrationDate };

    // By the name texts of the rows, indexed by grid row.
    static MemberOrder byName(std::vector<std::string> names);
    // By the date with that meaning of the member whose identifier each row holds (decimal text,
    // indexed by grid row). A member without the date counts as 0, before every real date;
    // a row whose member is not in the list comes after every row whose member is.
    static MemberOrder byDate(const KMemberList& members, FieldMeaning meaning,
                              const std::vector<std::string>& ids);

    // Negative when row a comes first in ascending order, 0 when equal, positive after.
    int compare(int a, int b) const;
    int compare(int a, int b, bool ascending) const {
        return ascending ? compare(a, b) : -compare(a, b);
    }
    std::size_t size() const { return m_rank.size(); }
    // The rows 0 .. size()-1 in the order a stable sort gives them.
    std::vector<int> sortedRows(bool ascending) const;

    // The name rule on two texts: a text without a space comes before one with a space and
    // equals any other without; texts with a space order on the part from the last space on,
    // then on the whole text, byte by byte as unsigned characters.
    static int compareNames(std::string_view a, std::string_view b);

    // What a click on the title of a column with that code sorts by: the meaning of the first
    // member's value for it decides.
    static Kind kindOfColumn(const KMemberList& members, std::int32_t code);

private:
    // Names: rank 0 without a space, 1 with; the tail starts at tail[row].
    // Dates: rank 0 when the member was found, 1 when not; date[row] the date.
    std::vector<std::uint8_t> m_rank;
    std::vector<std::string> m_text;
    std::vector<std::uint32_t> m_tail;
    std::vector<std::int32_t> m_date;
    bool m_byName = true;
};
