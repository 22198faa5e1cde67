#pragma once

#include "core/format/KDateValue.h"
#include "core/model/KMember.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class CKorvelDoc;

// "Leeftijd bijwerken": the field with meaning Senior of every member with a birth date set
// from the member's age on a reference date: "Ja" at the age given or older, "Nee" when
// younger. Members without a birth date, or without a Senior value, are left alone.
namespace KAgeUpdate {

inline constexpr int kDefaultAge = 18;

// 1 January of the year after today's.
KDateValue defaultReferenceDate(KDateValue today);
// Whole years from the birth date to the reference date; a member born on 29 February is a year
// older on 1 March in a year without that day. Negative for a birth after the reference date.
int ageOn(KDateValue birth, KDateValue reference);

struct Plan {
    // The members whose Senior value changes, with their new contents.
    std::vector<std::pair<std::int32_t, KMember>> changes;
    std::size_t becomeSenior = 0;  // "Nee" to "Ja"
    std::size_t becomeJunior = 0;  // "Ja" to "Nee"
    std::size_t withoutBirthDate = 0;
    bool hasSeniorField = false; // the configuration has a field with meaning Senior
};
Plan plan(const CKorvelDoc& doc, KDateValue reference, int age);

// What the user is asked before the change ("Bij 12 leden wordt Senior Ja, ...").
QString question(const Plan& plan);
// The step's name in the history.
inline constexpr const char* kUndoText = "leeftijd bijwerken";

} // namespace KAgeUpdate
