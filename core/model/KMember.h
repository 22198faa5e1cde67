#pragma once

#include "core/model/KCharge.h"
#include "core/model/KField.h"
#include "core/model/KPayment.h"

#include <cstdint>
#include <string>
#include <utility>

class Archive;

// One member: a value per field of the document, the charges and the payments.
class KMember {
public:
    KMember() = default; // without values, charges or payments
    // A member made for the document: a copy of every field definition with its default value.
    explicit KMember(const KFieldList& fields) : m_values(fields) {}
    // Copies the three lists; the id is not copied.
    KMember(const KMember& other);
    KMember& operator=(const KMember& other);

    std::int32_t id() const { return m_id; }
    void setId(std::int32_t id) { m_id = id; }
    // Exchanges values, charges and payments with the other member; the ids stay.
    void swapContents(KMember& other) noexcept {
        std::swap(m_values, other.m_values);
        std::swap(m_charges, other.m_charges);
        std::swap(m_payments, other.m_payments);
    }

    const KFieldList& values() const { return m_values; }
    KFieldList& values() { return m_values; }
    const KChargeList& charges() const { return m_charges; }
    KChargeList& charges() { return m_charges; }
    const KPaymentList& payments() const { return m_payments; }
    KPaymentList& payments() { return m_payments; }

    // The first value with that meaning or id, in list order.
    const KField* valueByMeaning(FieldMeaning meaning) const;
    KField* valueByMeaning(FieldMeaning meaning);
    const KField* valueById(std::int32_t id) const;
    KField* valueById(std::int32_t id);
    // The display text of the value with that meaning; empty when there is none.
    std::string textByMeaning(FieldMeaning meaning) const;
    void setTextByMeaning(FieldMeaning meaning, std::string text);
    // The date of the value with that meaning when it is a Date field, else 0.
    KDateValue dateByMeaning(FieldMeaning meaning) const;
    // The member's name as the member list orders it.
    std::string name() const { return textByMeaning(FieldMeaning::Name); }

    void addValue(const KField& value) { m_values.insert(value); }
    // Removes the first value alike to the given one.
    void removeValue(const KField& value);

    void addCharge(const KCharge& charge) { m_charges.insert(charge); }
    void removeChargeForScheme(std::int32_t schemeId);
    bool hasChargeForScheme(std::int32_t schemeId) const;
    // The charge with the latest scheme date (the first of equals); with a scheme given, that
    // charge only when its scheme is that scheme.
    const KCharge* latestCharge(const KContribution* scheme = nullptr) const;

    void addPayment(const KPayment& payment) { m_payments.insert(payment); }
    // Removes the first payment with the same amount and date.
    void removePayment(const KPayment& payment);

    // Charged minus paid; negative when paid in advance.
    double balance() const;
    // What is still owed from charges before the latest one; never below 0.
    double arrears() const;

    bool nameDiffers(const KMember& other) const { return name() != other.name(); }
    bool nameBefore(const KMember& other) const { return name() < other.name(); }

    // The current record layout. Loading returns false when the record ended before its id
    // had arrived in full, which is how the member sequence of a file ends.
    bool Serialize(Archive& ar, int version);
    // Charges (current layout) and payments of a version-10 or later record.
    void readChargesAndPayments(Archive& ar, int version);

private:
    KFieldList m_values;
    std::int32_t m_id = 0;
    KChargeList m_charges;
    KPaymentList m_payments;
};

// The document finds members by id and hands them out: each keeps its address.
template <> struct KListStorage<KMember> {
    static constexpr bool stable = true;
};

// By the display text of the member's Name value.
template <> struct KListOrder<KMember> {
    static bool before(const KMember& a, const KMember& b);
    static std::string key(const KMember& m);
};

using KMemberList = KSortedList<KMember>;
