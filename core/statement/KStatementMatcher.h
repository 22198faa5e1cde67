#pragma once

#include "core/statement/KBankEntry.h"
#include "core/statement/KStatementMatch.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
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
    // Members by the hash of a key, in member order where hashes are equal. A lookup gives the
    // members whose key has the hash; the caller checks the key itself.
    class KeyIndex {
    public:
        void add(std::string_view key, std::int32_t member);
        void finish();
        bool empty() const { return m_entries.empty(); }
        std::vector<std::int32_t> find(std::string_view key) const;

    private:
        std::vector<std::pair<std::uint64_t, std::int32_t>> m_entries;
    };

    struct ReadState;
    KStatementMatch matchOne(const KBankEntry& entry, ReadState& state) const;
    bool matchCollection(const KBankEntry& entry, KStatementMatch& match, ReadState& state) const;
    bool matchByIban(const KBankEntry& entry, KStatementMatch& match) const;
    bool matchByNumber(const KBankEntry& entry, KStatementMatch& match,
                       const std::vector<std::int32_t>* among) const;
    bool matchByName(const KBankEntry& entry, KStatementMatch& match) const;
    std::vector<std::int32_t> owing(const std::vector<std::int32_t>& members, std::int64_t cents) const;
    // The members of an index whose own key is the key.
    std::vector<std::int32_t> lookUp(const KeyIndex& index, const std::string& key,
                                     std::string (KStatementMatcher::*keyOf)(const KMember&) const) const;
    std::string ibanKey(const KMember& member) const;
    std::string numberKey(const KMember& member) const;
    std::string nameKey(const KMember& member) const;
    // Whether the member has a collection booked on that day, or that amount received then.
    bool collectedOn(std::int32_t member, std::int32_t date) const;
    bool receivedOn(std::int32_t member, std::int32_t date, std::int64_t cents) const;

    const CKorvelDoc& m_doc;
    std::int32_t m_ibanField = 0;
    KeyIndex m_byIban;
    KeyIndex m_byNumber;
    KeyIndex m_byName; // the folded name with its words sorted
    std::size_t m_longestName = 0; // in words
    // The message ids of the booked collection runs.
    std::unordered_set<std::string> m_runs;
};
