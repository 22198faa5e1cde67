#pragma once

#include "core/statement/KBankEntry.h"
#include "core/statement/KStatementMatch.h"

#include <QString>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CKorvelDoc;
class KMember;

// Finds the member behind each amount of a statement, by the rules in their order:
//  1. an end-to-end id of Korvel's incasso file: a credit is that member's collection, a debit
//     its return (storno);
//  2. the other party's IBAN is in the IBAN field of one member (of several, a family: the one
//     who owes exactly the amount);
//  3. the description holds a member's federation number as a whole number; or the member's
//     name is the other party's or stands in the description, and the amount is what exactly
//     one such member owes;
//  4. else the amount is left to the treasurer.
// And it tells what was booked before: a collection already booked by its run, an amount whose
// bank reference is on a payment of that member. The document is read once, when the matcher
// is made, into indexes, so a large statement is matched in one pass.
class KStatementMatcher {
public:
    // ibanLabel names the member field that holds each member's IBAN.
    KStatementMatcher(const CKorvelDoc& doc, const QString& ibanLabel);

    // Whether the members have a field of that label.
    bool hasIbanField() const { return m_ibanField != 0; }

    // Matches the amounts in the order given. Each knows the ones before it: an amount listed
    // twice (two statements of the same days) is booked once, and a storno finds its
    // collection among the amounts of the same read.
    std::vector<KStatementMatch> match(const std::vector<const KBankEntry*>& entries) const;

    // Whether that amount is booked for that member already (its bank reference on one of the
    // member's payments of that booking date).
    bool bookedFor(std::int32_t member, const KBankEntry& entry) const;
    // What the member owes, in cents.
    std::int64_t owedCents(std::int32_t member) const;

private:
    struct ReadState;
    KStatementMatch matchOne(const KBankEntry& entry, ReadState& state) const;
    bool matchCollection(const KBankEntry& entry, KStatementMatch& match, ReadState& state) const;
    bool matchByIban(const KBankEntry& entry, KStatementMatch& match) const;
    bool matchByNumber(const KBankEntry& entry, KStatementMatch& match,
                       const std::vector<std::int32_t>* among) const;
    bool matchByName(const KBankEntry& entry, KStatementMatch& match) const;
    std::vector<std::int32_t> owing(const std::vector<std::int32_t>& members, std::int64_t cents) const;
    static std::string bookedKey(std::int32_t member, std::int32_t date, const std::string& reference);

    const CKorvelDoc& m_doc;
    std::int32_t m_ibanField = 0;
    // Members by IBAN, federation number and folded name (also with its words sorted), each
    // list in member order.
    std::unordered_map<std::string, std::vector<std::int32_t>> m_byIban;
    std::unordered_map<std::string, std::vector<std::int32_t>> m_byNumber;
    std::unordered_map<std::string, std::vector<std::int32_t>> m_byName;
    std::unordered_map<std::string, std::vector<std::int32_t>> m_bySortedName;
    std::size_t m_longestName = 0; // in words
    // Member, booking date and reference of every payment the reader booked.
    std::unordered_set<std::string> m_booked;
    // Member and date of every booked collection; member, date and cents of every amount the
    // reader booked as received.
    std::unordered_set<std::int64_t> m_collected;
    std::unordered_set<std::string> m_received;
    // The message ids of the booked collection runs.
    std::unordered_set<std::string> m_runs;
};
