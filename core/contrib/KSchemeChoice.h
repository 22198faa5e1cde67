#pragma once

class CKorvelDoc;
class KContribution;
class KQuestions;

// Which scheme a command works on: the only one, or the one the user picks by its description.
namespace KSchemeChoice {

inline constexpr const char* kNoSchemes = "Er zijn geen contributies";
inline constexpr const char* kNoMembers = "Er zijn geen leden";
inline constexpr const char* kChooseTitle = "Selecteer contributie";

// Without schemes the user is told so and nothing is chosen. One scheme is taken without
// asking; with more the user picks a description, and the first scheme in list order with that
// description is taken (two schemes of one description cannot be told apart). nullptr when
// there are none or the user cancelled.
const KContribution* choose(const CKorvelDoc& doc, KQuestions& questions);

} // namespace KSchemeChoice
