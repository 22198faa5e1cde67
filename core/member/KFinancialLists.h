#pragma once

#include "core/model/KCharge.h"
#include "core/model/KPayment.h"

#include <QString>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

class KMember;

// The financial page's own copies of a member's charges and payments, edited while the member
// dialog is open and written back into the member's working copy on every page switch and OK.
// A grid row names its record by its place in these lists (the hidden last column), never by
// the texts it shows: those cannot tell two charges of one scheme id apart, nor find a payment
// whose amount has more than two decimals.
class KFinancialLists {
public:
    // The texts of one grid row: three shown columns and the record's place.
    using Row = std::array<std::string, 4>;
    static constexpr int kPlaceColumn = 3;

    explicit KFinancialLists(const KMember& member);

    const KChargeList& charges() const { return m_charges; }
    const KPaymentList& payments() const { return m_payments; }

    // "Contributie" (the scheme's description), "Bedrag" (the total, "%1.2f"), "Opmerkingen".
    std::vector<Row> chargeRows() const;
    // "Datum" (the date in the program's format), "Bedrag" ("%1.2f"), "Opmerkingen".
    std::vector<Row> paymentRows() const;
    // The sum of the amounts as the rows show them, "%1.2f".
    static std::string total(const std::vector<Row>& rows);
    // The place a row's hidden column names; -1 when it names none.
    static int placeOf(const std::string& placeText, std::size_t count);

    const KCharge* chargeAt(int place) const;
    const KPayment* paymentAt(int place) const;
    // A new record goes in the list's order; a changed one keeps its place until the lists are
    // written back.
    void addCharge(const KCharge& charge);
    void addPayment(const KPayment& payment);
    bool replaceCharge(int place, const KCharge& charge);
    bool replacePayment(int place, const KPayment& payment);
    bool removeCharge(int place);
    bool removePayment(int place);

    // The member's charges and payments become these lists, each in its list's order; records
    // of equal rank keep the order they have here, so writing back unchanged lists changes
    // nothing.
    void collectInto(KMember& member) const;

    // The question before a row is deleted, with the row's three texts.
    static QString deleteQuestion(const Row& row);

private:
    KChargeList m_charges;
    KPaymentList m_payments;
};
