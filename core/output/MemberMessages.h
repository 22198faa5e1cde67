#pragma once

#include "core/KOutcome.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class CKorvelDoc;
class IKCorrespondence;
class KMember;
class KProgressReport;

// What messages to members hand to the correspondence component, which writes the letters:
// each member's field values in tab and field order, and what the member owes from the latest
// charge, in total and from before it.
namespace MemberMessages {

inline constexpr const char* kProgram = "Korvel";
inline constexpr const char* kJob = "Correspondentie";
inline constexpr const char* kFieldPrefix = "KVB-veld:";
// Every member, for send().
inline constexpr std::int32_t kAllMembers = -1;

// The values every letter gets besides the member's own, after them: today's date, the club's
// name and IBAN (only when the club's data are set), and the latest charge's parts one per
// line ("Contributie: 85.00").
inline constexpr const char* kToday = "Vandaag";
inline constexpr const char* kClubName = "Vereniging";
inline constexpr const char* kClubIban = "IBAN vereniging";
inline constexpr const char* kParts = "Onderdelen";

// What every letter of one run shares: today in the program's date format, and the club's
// name and IBAN (Windows-1252; empty when not set).
struct Letterhead {
    std::string today;
    std::string clubName;
    std::string clubIban;
};
// A date (yyyymmdd) written out as in a Dutch letter: "15 maart 2026".
std::string writtenDate(std::int32_t date);
// From the clock (today written out) and the incasso settings of the profile.
Letterhead letterhead();

// A document without tabs or without fields sends nothing.
bool canSend(const CKorvelDoc& doc);

// The names and values handed over for one member, in order: for the tabs by position 0 to 99
// (the first tab of a position only) and each tab's fields in order, the member's value's label
// and display text; then, when the member has a charge, each part of the latest charge of at
// least 0.01, "Totaal" (the balance) and "Achterstallig" (the arrears), as "%1.2f"; then
// the letterhead's values and, with a charge, the parts of the latest charge (those that are
// not 0.00) one per line.
std::vector<std::pair<std::string, std::string>> valuesOf(const CKorvelDoc& doc,
                                                          const KMember& member,
                                                          const Letterhead& head = {});

// Starts the component, hands over the values of every member (memberId kAllMembers) or of the
// member with that id, in the order of the member list, and runs it. The component's statuses
// do not stop the run. Stopped, without running the component, when the progress asked to
// stop.
KResult send(const CKorvelDoc& doc, std::int32_t memberId, IKCorrespondence& component,
          KProgressReport* progress = nullptr, const Letterhead& head = letterhead());

} // namespace MemberMessages
