#pragma once

#include "core/KOutcome.h"
#include "core/format/KDateValue.h"

#include <string>
#include <vector>

class KField;

// What one row of a member page shows for a value and how the row's input goes back into the
// value. An input the user left as it was shown keeps the value exactly, so opening a member and
// pressing OK changes nothing: an amount of three decimals is not rounded to the two it shows, a
// date that was never set stays unset, a "Ja" stored as 2 stays 2.
namespace KFieldInput {

enum class Kind {
    Missing,    // the tab names a field the member holds no value for: nothing to edit
    LabelOnly,  // a field without a type: only its label
    Edit,       // Text, Number, Quantity, Amount
    Date,       // Date
    Check,      // Boolean
    MemberType, // the field with meaning MemberType, whatever its type
};

// The kind of input for a value; Missing for none.
Kind kindOf(const KField* value);

// The text an edit starts with: the text, the number "%ld", a quantity or amount "%1.2f".
std::string editText(const KField& value);
// A typed text into the value: the text as is, the leading whole number of a Number, a Quantity
// or Amount as a person types it ("12,50", "1.234,50", "12.50"). Left as shown, nothing
// changes. A Quantity or Amount that is no number is refused with the Dutch reason, and the
// value stays as it was.
KResult collectEdit(KField& value, const std::string& shown, const std::string& typed);

// A check box is ticked for any number but 0, as the value shows "Ja". Untouched it keeps the
// number; touched it stores 1 or 0.
bool checked(const KField& value);
void collectCheck(KField& value, bool wasChecked, bool isChecked);

// Only a date the user set or cleared is stored; 0 stands for no date.
void collectDate(KField& value, bool touched, KDateValue date);

// The entry a member-type list selects for the value's text: the type that is the text, else the
// one that is the text with letter case ignored, else the first type that begins with it, case
// ignored (so "Senior" finds "Senior" before "Senior recreant"). An empty text selects the first
// type for a new member only, so that an existing member without a type keeps none. -1 selects
// nothing.
int memberTypeIndex(const std::vector<std::string>& types, const std::string& text, bool adding);
// The selected type's text, when the user chose another entry than the list showed: a list left
// as shown stores nothing, so a type the list only resembles is kept as it is; only an empty text
// takes the entry shown for it. With nothing selected the value keeps its text. Only a Text
// field takes a text.
void collectMemberType(KField& value, const std::vector<std::string>& types, int shown,
                       int selected);

} // namespace KFieldInput
