#pragma once

#include "core/KOutcome.h"

#include <QString>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class CKorvelDoc;
class KQuestions;

// The member types ("Soort lid"): the rules of the dialog's list, and giving the members whose
// type vanished from the list a type the user chooses.
namespace KMemberTypes {

// The list's buttons: Done; NothingToDo without a selection; Failed, with emptyNameMessage(),
// for an empty name.
// "<-- Toevoegen": appends the name; equal names are allowed.
KResult add(std::vector<std::string>& names, const std::string& name);
// "<--> Wijzigen": the selected item takes the name in its place.
KResult change(std::vector<std::string>& names, int selected, const std::string& name);
// "--> Verwijderen", without asking.
KResult remove(std::vector<std::string>& names, int selected);
QString emptyNameMessage();

// The member-type texts to give, per member id, after the list changed from oldNames to
// newNames. A member whose type is an old name that is still listed gets that name; for one
// whose old name is gone the user chooses among the new names ("Wijzig %s in"), once per old
// name: a choice serves every later member of that old type, a cancel leaves the member as it
// is and the next member of that type asks again. Members whose type is no old name are never
// asked about. Only members whose text changes are listed.
std::vector<std::pair<std::int32_t, std::string>> remap(const CKorvelDoc& doc,
                                                        const std::vector<std::string>& oldNames,
                                                        const std::vector<std::string>& newNames,
                                                        KQuestions& questions);

// Replaces the document's member types by newNames and remaps the members, in one undoable
// step, as the member types dialog's OK does.
void apply(CKorvelDoc& doc, const std::vector<std::string>& newNames, KQuestions& questions);

} // namespace KMemberTypes
