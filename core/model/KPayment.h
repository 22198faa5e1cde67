#pragma once

#include "core/format/KDateValue.h"
#include "core/model/KSortedList.h"

#include <string>

class Archive;

// An amount received from a member ("Ontvangen bedrag").
class KPayment {
public:
    KPayment() = default; // 0.0, today, no remarks
    KPayment(double amount, KDateValue date, std::string remarks = {})
        : m_amount(amount), m_date(date), m_remarks(std::move(remarks)) {}

    double amount() const { return m_amount; }
    void setAmount(double amount) { m_amount = amount; }
    KDateValue date() const { return m_date; }
    void setDate(KDateValue date) { m_date = date; }
    const std::string& remarks() const { return m_remarks; }
    void setRemarks(std::string remarks) { m_remarks = std::move(remarks); }

    // Equal amount and date; the remarks do not take part.
    bool operator==(const KPayment& other) const {
        return m_amount == other.m_amount && m_date == other.m_date;
    }

    void Serialize(Archive& ar, int version);

private:
    double m_amount = 0.0;
    KDateValue m_date;
    std::string m_remarks;
};

template <> struct KListOrder<KPayment> {
    static bool before(const KPayment& a, const KPayment& b) {
        if (a.date() != b.date())
            return a.date() < b.date();
        return a.amount() < b.amount();
    }
};

using KPaymentList = KSortedList<KPayment>;
