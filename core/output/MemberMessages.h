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

// A document without tabs or without fields sends nothing.
bool canSend(const CKorvelDoc& doc);

// The names and values handed over for one member, in order: for the tabs by position 0 to 99
// (the first tab of a position only) and each tab's fields in order, the member's value's label
// and display text; then, when the member has a charge, each part of the latest charge of at
// least 0.01, "Totaal" (the balance) and "Achterstallig" (the arrears), as "%1.2f".
std::vector<std::pair<std::string, std::string>> valuesOf(const CKorvelDoc& doc,
                                                          const KMember& member);

// Starts the component, hands over the values of every member (memberId kAllMembers) or of the
// member with that id, in the order of the member list, and runs it. The component's statuses
// do not stop the run. Stopped, without running the component, when the progress asked to
// stop.
KResult send(const CKorvelDoc& doc, std::int32_t memberId, IKCorrespondence& component,
          KProgressReport* progress = nullptr);

} // namespace MemberMessages
