#pragma once

#include "core/KOutcome.h"
#include "core/model/KMember.h"
#include "core/model/KPayment.h"
#include "core/statement/KBankStatement.h"
#include "core/statement/KStatementMatch.h"
#include "core/statement/KStatementMatcher.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <utility>
#include <vector>

class CKorvelDoc;

// The amounts of a statement read, each with the member found for it and whether it is to be
// booked: what the treasurer looks at before booking. The amounts for which a member was found
// are ticked; the treasurer may untick them, tick the ones that need a look, and choose the
// member of the others. Booking adds a payment per ticked amount in one undoable step.
class KStatementReview {
public:
    struct Row {
        std::size_t statement = 0; // in statements()
        std::size_t entry = 0;     // in that statement's entries
        KStatementMatch match;
        bool checked = false;
    };
    struct Totals {
        std::size_t rows = 0;
        std::int64_t cents = 0; // credits less debits
    };

    inline static const char* const kUndoText = "Bankafschrift boeken";

    // ibanLabel names the members' IBAN field; clubIban is the club's own account (may be
    // empty: then no statement is questioned for its account).
    KStatementReview(const CKorvelDoc& doc, std::vector<KBankStatement> statements,
                     const QString& ibanLabel, const QString& clubIban);

    const std::vector<KBankStatement>& statements() const { return m_statements; }
    // What the treasurer should know before booking: a statement of another account, members
    // without an IBAN field.
    const QStringList& warnings() const { return m_warnings; }

    std::size_t size() const { return m_rows.size(); }
    const Row& row(std::size_t index) const { return m_rows[index]; }
    const KBankEntry& entry(std::size_t index) const;

    // Whether the row has a member and may be booked.
    bool checkable(std::size_t index) const;
    // False, and nothing changed, when the row cannot be booked.
    bool setChecked(std::size_t index, bool checked);
    // The treasurer's member for the row, which is then ticked; refused (with the reason) for
    // an amount that cannot be booked or that is booked for that member already.
    KResult choose(std::size_t index, std::int32_t member);
    Totals checkedTotals() const;

    // The payment a row books.
    KPayment payment(std::size_t index) const;
    // The members of the ticked rows with their payments added, each member once.
    std::vector<std::pair<std::int32_t, KMember>> bookings() const;
    // Books the ticked rows in one step; returns how many payments were booked (no step when
    // none).
    std::size_t book(CKorvelDoc& doc) const;

    // The members the treasurer may choose for a row: those the matching found first, then
    // every other member in name order; each with the text to show.
    struct Choice {
        std::int32_t member = 0;
        QString text;
    };
    std::vector<Choice> choices(std::size_t index) const;

    // What the review shows: how the member was found, and the member's name.
    QString howText(std::size_t index) const;
    QString memberName(std::int32_t member) const;
    // What the member owes now, in cents.
    std::int64_t owedCents(std::int32_t member) const { return m_matcher.owedCents(member); }

private:
    const CKorvelDoc& m_doc;
    KStatementMatcher m_matcher;
    std::vector<KBankStatement> m_statements;
    std::vector<Row> m_rows;
    QStringList m_warnings;
};
