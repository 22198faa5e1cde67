#include "core/member/KFinancialLists.h"

#include "core/format/Numbers.h"
#include "core/model/KMember.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <charconv>
#include <memory>

namespace {

// The list in its order, equals keeping the order they have.
template <class T> KSortedList<T> stablyOrdered(const KSortedList<T>& list) {
    std::vector<const T*> order;
    order.reserve(list.size());
    for (const T& item : list)
        order.push_back(&item);
    std::stable_sort(order.begin(), order.end(),
                     [](const T* a, const T* b) { return KListOrder<T>::before(*a, *b); });
    KSortedList<T> result;
    for (const T* item : order)
        result.insertAt(result.size(), std::make_unique<T>(*item));
    return result;
}

template <class T> T* mutableAt(KSortedList<T>& list, int place) {
    if (place < 0 || static_cast<std::size_t>(place) >= list.size())
        return nullptr;
    return &list.at(static_cast<std::size_t>(place));
}

} // namespace

KFinancialLists::KFinancialLists(const KMember& member)
    : m_charges(member.charges()), m_payments(member.payments()) {}

std::vector<KFinancialLists::Row> KFinancialLists::chargeRows() const {
    std::vector<Row> rows;
    rows.reserve(m_charges.size());
    std::size_t place = 0;
    for (const KCharge& charge : m_charges)
        rows.push_back({charge.scheme() ? charge.scheme()->description() : std::string(),
                        Numbers::fixed2(charge.total()), charge.text(),
                        Numbers::decimal(static_cast<std::int64_t>(place++))});
    return rows;
}

std::vector<KFinancialLists::Row> KFinancialLists::paymentRows() const {
    std::vector<Row> rows;
    rows.reserve(m_payments.size());
    std::size_t place = 0;
    for (const KPayment& payment : m_payments)
        rows.push_back({payment.date().Text(), Numbers::fixed2(payment.amount()), payment.remarks(),
                        Numbers::decimal(static_cast<std::int64_t>(place++))});
    return rows;
}

std::string KFinancialLists::total(const std::vector<Row>& rows) {
    double sum = 0.0;
    for (const Row& row : rows)
        sum += Numbers::leadingReal(row[1]);
    return Numbers::fixed2(sum);
}

int KFinancialLists::placeOf(const std::string& placeText, std::size_t count) {
    int place = -1;
    const auto [end, error] =
        std::from_chars(placeText.data(), placeText.data() + placeText.size(), place);
    if (error != std::errc() || end != placeText.data() + placeText.size() || place < 0 ||
        static_cast<std::size_t>(place) >= count)
        return -1;
    return place;
}

const KCharge* KFinancialLists::chargeAt(int place) const {
    return mutableAt(const_cast<KChargeList&>(m_charges), place);
}

const KPayment* KFinancialLists::paymentAt(int place) const {
    return mutableAt(const_cast<KPaymentList&>(m_payments), place);
}

void KFinancialLists::addCharge(const KCharge& charge) {
    m_charges.insert(charge);
}

void KFinancialLists::addPayment(const KPayment& payment) {
    m_payments.insert(payment);
}

bool KFinancialLists::replaceCharge(int place, const KCharge& charge) {
    KCharge* target = mutableAt(m_charges, place);
    if (!target)
        return false;
    *target = charge;
    return true;
}

bool KFinancialLists::replacePayment(int place, const KPayment& payment) {
    KPayment* target = mutableAt(m_payments, place);
    if (!target)
        return false;
    *target = payment;
    return true;
}

bool KFinancialLists::removeCharge(int place) {
    const KCharge* target = chargeAt(place);
    return target && m_charges.removeItem(target);
}

bool KFinancialLists::removePayment(int place) {
    const KPayment* target = paymentAt(place);
    return target && m_payments.removeItem(target);
}

void KFinancialLists::collectInto(KMember& member) const {
    member.charges() = stablyOrdered(m_charges);
    member.payments() = stablyOrdered(m_payments);
}

QString KFinancialLists::deleteQuestion(const Row& row) {
    return QStringLiteral("Weet u zeker dat u\n  %1\n  %2\n  %3\n\nwilt verwijderen?")
        .arg(CodePage::toQString(row[0]), CodePage::toQString(row[1]), CodePage::toQString(row[2]));
}
