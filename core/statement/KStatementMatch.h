#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// How an amount of the statement was tied to a member.
enum class KMatchRule {
    None,
    EndToEnd,  // a collection of Korvel's own incasso file
    Storno,    // such a collection, returned by the bank
    Iban,      // the other party's IBAN is the member's
    Reference, // the description holds the member's federation number
    Name,      // the member's name, and the amount is what the member owes
    Chosen,    // the treasurer chose the member
};

// What the review does with an amount.
enum class KMatchState {
    Ready,       // a member was found; booked unless the treasurer unticks it
    Confirm,     // a member was found, but the treasurer ticks it (note() says why)
    Choose,      // one of several members (candidates); the treasurer chooses
    Unmatched,   // no member found; the treasurer may choose one
    Already,     // booked before; never booked again
    NotBookable, // cannot be booked (note() says why)
};

// The outcome of matching one amount.
struct KStatementMatch {
    KMatchState state = KMatchState::Unmatched;
    KMatchRule rule = KMatchRule::None;
    std::int32_t member = 0;
    // The members to choose from, or those whose name stood in it when the amount did not fit.
    std::vector<std::int32_t> candidates;
    // Why, in Dutch, where the state needs saying.
    QString note;
};
