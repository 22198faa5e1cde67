#pragma once

#include "core/format/KDateValue.h"
#include "core/model/KMember.h"

#include <string>
#include <vector>

// The values a member starts with in the member dialog, and whether the dialog's copy still is
// the member it started from.
namespace KMemberStart {

// A new member: every field's default, except that dates start empty (nobody is born on the day
// a field was made), the field with meaning RegistrationDate starts at addedOn (0: empty), and
// the member type starts as the first type, as the dialog's list shows it.
KMember newMember(const KFieldList& fields, const std::vector<std::string>& memberTypes,
                  KDateValue addedOn);

// A member-type field without a text starts as the first type, as the dialog's list shows a new
// member; nothing without types or with a text already.
void startWithFirstType(KMember& member, const std::vector<std::string>& memberTypes);

// A member as the dialog edits it: one that holds no values at all (an older file can have
// such members) gets the values a new member gets, without a registration date or a member
// type, so that every row can be filled in; any other member stays as it is.
KMember forEditing(const KMember& member, const KFieldList& fields);

// Whether the two hold the same values, charges and payments, byte for byte as the member file
// would have them; ids do not count.
bool sameContents(const KMember& a, const KMember& b);

} // namespace KMemberStart
