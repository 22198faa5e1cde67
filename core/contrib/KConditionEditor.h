#pragma once

#include "core/KOutcome.h"
#include "core/model/KContrPart.h"

#include <cstdint>
#include <string>
#include <vector>

// The condition dialog without its window: the fields to choose from, the control a field's
// value is entered in, and the condition that OK adds to the part or changes in it. A condition
// is a copy of a field definition holding one value of the field's type.
class KConditionEditor {
public:
    // The control the value is entered in: a line of text (texts, numbers, quantities and
    // amounts), the list of member types, "Ja"/"Nee", or a date.
    enum class Control { Edit, MemberTypeList, YesNoList, DatePicker };

    struct Entry {
        std::string label;
        std::int32_t fieldId;
    };

    // What a value control holds: choices and the chosen one for the lists, the text for the
    // edit, the date for the date picker.
    struct Value {
        Control control = Control::Edit;
        std::vector<std::string> choices;
        int choice = 0;
        std::string text;
        KDateValue date{0};
    };

    // conditionId -1 adds a condition; another id changes the part's condition with that id.
    KConditionEditor(const KFieldList& fields, std::vector<std::string> memberTypes,
                     std::int32_t conditionId);

    // Without field definitions there is nothing to choose: the dialog closes at once.
    bool hasFields() const { return !m_entries.empty(); }
    // The field list in the order it is shown: alphabetical by label, case ignored.
    const std::vector<Entry>& entries() const { return m_entries; }
    // The entry shown first: the field of the condition being changed, else the first.
    int initialEntry() const;

    // The control for the field of an entry, holding the value of the condition being changed
    // when the part has it, else the field's default: empty, the first member type, "Ja", today.
    Value valueFor(const KContrPart& part, int entry) const;

    // OK: a new condition (a copy of the entry's field) with the value entered goes into the
    // part in condition order; a condition being changed keeps its field and takes the value.
    // A value entered in a control that does not suit the condition's own field, or left as
    // the control showed it, leaves its value exactly as it was (an amount is not rounded to
    // what the edit shows, a member type the list only resembles is kept). A Quantity or Amount
    // is read as a person types it ("1,5", "€ 12,50", "12.50"); a text that is no number is
    // refused with the Dutch reason, and the part stays as it was. NothingToDo when the entry
    // holds no field.
    KResult accept(KContrPart& part, int entry, const Value& input) const;

    // The control a field's value is entered in.
    static Control controlFor(const KField& field);

private:
    const KField* fieldOf(int entry) const;
    const KField* existing(const KContrPart& part) const;

    KFieldList m_fields;
    std::vector<std::string> m_memberTypes;
    std::int32_t m_conditionId;
    std::vector<Entry> m_entries;
};
