#pragma once

#include "core/model/KContribution.h"

#include <memory>
#include <optional>
#include <string>

class Archive;

// An amount charged to a member: a private copy of the scheme as it was charged, holding only
// the parts that applied, and the charge's remarks.
class KCharge {
public:
    KCharge(); // an empty scheme whose id is the current time value, dated today
    explicit KCharge(std::unique_ptr<KContribution> scheme, std::string text = {})
        : m_text(std::move(text)) {
        replaceScheme(std::move(scheme));
    }
    explicit KCharge(KContribution scheme, std::string text = {})
        : m_scheme(std::move(scheme)), m_text(std::move(text)) {}

    const KContribution* scheme() const { return m_scheme ? &*m_scheme : nullptr; }
    KContribution* scheme() { return m_scheme ? &*m_scheme : nullptr; }
    void replaceScheme(std::unique_ptr<KContribution> scheme) {
        if (scheme)
            m_scheme = std::move(*scheme);
        else
            m_scheme.reset();
    }
    const std::string& text() const { return m_text; }
    void setText(std::string text) { m_text = std::move(text); }

    // Sum of the amounts of the scheme's parts.
    double total() const;

    void Serialize(Archive& ar, int version);

private:
    // Held in the charge itself: a member's charges are one array, not a record each.
    std::optional<KContribution> m_scheme;
    std::string m_text;
};

// In the order of the schemes inside; a charge without a scheme comes first.
template <> struct KListOrder<KCharge> {
    static bool before(const KCharge& a, const KCharge& b) {
        if (!a.scheme() || !b.scheme())
            return !a.scheme() && b.scheme();
        return KListOrder<KContribution>::before(*a.scheme(), *b.scheme());
    }
};

using KChargeList = KSortedList<KCharge>;
