#include "core/contrib/KOutstanding.h"

#include "core/document/CKorvelDoc.h"

#include <algorithm>

namespace {

// Amounts closer than this are equal: a payment of what is owed clears it whole, without a
// rest of rounding.
constexpr double kSame = 1e-9;

// Few part names are searched faster one by one than through a hash.
constexpr std::size_t kFewNames = 16;

} // namespace

KOutstanding::KOutstanding(const CKorvelDoc& doc) : m_doc(doc) {
    // Columns: "the earliest scheme after the previous one", so schemes of the same date and
    // id share one column, the first in list order giving it its title.
    for (const KContribution& scheme : doc.schemes())
        m_schemes.push_back(&scheme);
    std::stable_sort(m_schemes.begin(), m_schemes.end(),
                     [](const KContribution* a, const KContribution* b) {
                         return KListOrder<KContribution>::before(*a, *b);
                     });
    m_schemes.erase(std::unique(m_schemes.begin(), m_schemes.end(),
                                [](const KContribution* a, const KContribution* b) {
                                    return *a == *b;
                                }),
                    m_schemes.end());
    for (const KContribution& scheme : doc.schemes()) {
        if (m_owner.count(scheme.id()))
            continue;
        const auto column = std::lower_bound(
            m_schemes.begin(), m_schemes.end(), &scheme,
            [](const KContribution* a, const KContribution* b) {
                return KListOrder<KContribution>::before(*a, *b);
            });
        m_owner.emplace(scheme.id(), std::make_pair(static_cast<int>(column - m_schemes.begin()),
                                                    scheme.date().value()));
    }

    for (const KMember& member : doc.members()) {
        for (const KCharge& charge : member.charges()) {
            const KContribution* scheme = charge.scheme();
            if (!scheme)
                continue;
            if (!m_owner.count(scheme->id()))
                m_extra = true;
            for (const KContrPart& part : scheme->parts())
                if (nameIndex(part.name()) < 0)
                    addName(part.name());
        }
    }
}

int KOutstanding::nameIndex(const std::string& name) const {
    if (m_names.size() <= kFewNames) {
        for (std::size_t i = 0; i < m_names.size(); ++i)
            if (m_names[i] == name)
                return static_cast<int>(i);
        return -1;
    }
    const auto it = m_nameIndex.find(name);
    return it == m_nameIndex.end() ? -1 : it->second;
}

int KOutstanding::addName(const std::string& name) {
    const int index = static_cast<int>(m_names.size());
    m_names.push_back(name);
    m_nameIndex.emplace(name, index);
    return index;
}

void KOutstanding::memberShares(const KMember& member, std::vector<double>& shares) const {
    const int names = nameCount();
    const int extraColumn = static_cast<int>(m_schemes.size());
    shares.assign(static_cast<std::size_t>(columnCount() * names), 0.0);

    m_slots.clear();
    for (const KCharge& charge : member.charges()) {
        const KContribution* scheme = charge.scheme();
        if (!scheme)
            continue;
        const auto owner = m_owner.find(scheme->id());
        if (owner != m_owner.end())
            m_slots.push_back({owner->second.second, scheme->id(), owner->second.first, &charge});
        else
            m_slots.push_back({scheme->date().value(), scheme->id(), extraColumn, &charge});
    }
    std::stable_sort(m_slots.begin(), m_slots.end(), [](const Slot& a, const Slot& b) {
        return a.date != b.date ? a.date < b.date : a.id < b.id;
    });

    double paid = 0.0;
    for (const KPayment& payment : member.payments())
        paid += payment.amount();

    // Each charge's amount per part name, in the order of the part names, its discounts taken
    // off its own debts; what a discount leaves clears like a payment.
    m_amounts.clear();
    m_firsts.clear();
    for (const Slot& slot : m_slots) {
        const std::size_t first = m_amounts.size();
        m_firsts.push_back(first);
        for (const KContrPart& part : slot.charge->scheme()->parts()) {
            const int k = nameIndex(part.name());
            const auto begin = m_amounts.begin() + static_cast<std::ptrdiff_t>(first);
            const auto same = std::find_if(begin, m_amounts.end(),
                                           [k](const auto& a) { return a.first == k; });
            if (same != m_amounts.end())
                same->second += part.amount();
            else
                m_amounts.emplace_back(k, part.amount());
        }
        const auto begin = m_amounts.begin() + static_cast<std::ptrdiff_t>(first);
        std::sort(begin, m_amounts.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        double discount = 0.0;
        for (auto it = begin; it != m_amounts.end(); ++it)
            if (it->second < 0.0) {
                discount -= it->second;
                it->second = 0.0;
            }
        for (auto it = begin; it != m_amounts.end() && discount > 0.0; ++it) {
            const double taken = std::min(discount, it->second);
            it->second -= taken;
            discount -= taken;
        }
        paid += discount;
    }
    m_firsts.push_back(m_amounts.size());

    for (std::size_t s = 0; s < m_slots.size(); ++s) {
        const Slot& slot = m_slots[s];
        for (std::size_t i = m_firsts[s]; i < m_firsts[s + 1]; ++i) {
            auto [k, owed] = m_amounts[i];
            if (!(owed > kSame))
                continue;
            if (paid > 0.0) {
                if (paid >= owed - kSame) {
                    paid = std::max(0.0, paid - owed);
                    owed = 0.0;
                } else {
                    owed -= paid;
                    paid = 0.0;
                }
            }
            if (owed > 0.0)
                shares[static_cast<std::size_t>(slot.column * names + k)] += owed;
        }
    }
}

std::vector<double> KOutstanding::totals() const {
    std::vector<double> sums(static_cast<std::size_t>(columnCount() * nameCount()), 0.0);
    std::vector<double> shares;
    for (const KMember& member : m_doc.members()) {
        memberShares(member, shares);
        for (std::size_t i = 0; i < sums.size(); ++i)
            sums[i] += shares[i];
    }
    return sums;
}
