#include "core/contrib/KConditionEditor.h"

#include "core/format/Clock.h"
#include "core/format/Numbers.h"
#include "core/format/TypedNumber.h"
#include "core/member/KFieldInput.h"
#include "platform/CodePage.h"

#include <QString>

#include <algorithm>
#include <utility>

namespace {

const char* const kYes = "Ja";
const char* const kNo = "Nee";

// The member type the text names: itself before one that only begins with it; the first when
// none does.
int entryBeginningWith(const std::vector<std::string>& entries, const std::string& text) {
    return std::max(0, KFieldInput::memberTypeIndex(entries, text, false));
}

bool sameInput(const KConditionEditor::Value& a, const KConditionEditor::Value& b) {
    if (a.control != b.control)
        return false;
    switch (a.control) {
    case KConditionEditor::Control::Edit:
        return a.text == b.text;
    case KConditionEditor::Control::DatePicker:
        return a.date == b.date;
    default:
        return a.choice == b.choice;
    }
}

} // namespace

KConditionEditor::KConditionEditor(const KFieldList& fields, std::vector<std::string> memberTypes,
                                   std::int32_t conditionId)
    : m_fields(fields), m_memberTypes(std::move(memberTypes)), m_conditionId(conditionId) {
    for (const KField& field : m_fields)
        m_entries.push_back({field.label(), field.id()});
    // The list sorts itself as a person reads it: case ignored, equal labels in field order.
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        return CodePage::toQString(a.label).compare(CodePage::toQString(b.label),
                                                    Qt::CaseInsensitive) < 0;
    });
}

int KConditionEditor::initialEntry() const {
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].fieldId == m_conditionId)
            return static_cast<int>(i);
    return 0;
}

const KField* KConditionEditor::fieldOf(int entry) const {
    if (entry < 0 || entry >= static_cast<int>(m_entries.size()))
        return nullptr;
    const std::int32_t id = m_entries[static_cast<std::size_t>(entry)].fieldId;
    return m_fields.findFirst([id](const KField& f) { return f.id() == id; });
}

const KField* KConditionEditor::existing(const KContrPart& part) const {
    if (m_conditionId < 0)
        return nullptr;
    return part.conditions().findFirst(
        [this](const KField& c) { return c.id() == m_conditionId; });
}

KConditionEditor::Control KConditionEditor::controlFor(const KField& field) {
    if (field.meaning() == FieldMeaning::MemberType)
        return Control::MemberTypeList;
    switch (field.type()) {
    case FieldType::Date:
        return Control::DatePicker;
    case FieldType::Boolean:
        return Control::YesNoList;
    default:
        return Control::Edit;
    }
}

KConditionEditor::Value KConditionEditor::valueFor(const KContrPart& part, int entry) const {
    Value value;
    const KField* field = fieldOf(entry);
    if (!field)
        return value;
    const KField* condition = existing(part);
    value.control = controlFor(*field);
    switch (value.control) {
    case Control::MemberTypeList:
        value.choices = m_memberTypes;
        if (condition)
            value.choice = entryBeginningWith(value.choices, condition->displayText());
        break;
    case Control::YesNoList:
        value.choices = {kYes, kNo};
        value.choice = condition && condition->displayText() == kNo ? 1 : 0;
        break;
    case Control::DatePicker:
        value.date = condition ? condition->date() : KDateValue(0);
        if (!condition || condition->type() != FieldType::Date || value.date.value() == 0)
            value.date = KDateValue(Clock::today());
        break;
    case Control::Edit:
        if (condition)
            value.text = condition->displayText();
        break;
    }
    return value;
}

namespace {

// Sets the value entered into the condition, read by the condition's own meaning and type; a
// Quantity or Amount that is no number is refused.
KResult setValue(KField& condition, const KConditionEditor::Value& input) {
    const auto chosen = [&input]() -> std::string {
        if (input.choice < 0 || input.choice >= static_cast<int>(input.choices.size()))
            return {};
        return input.choices[static_cast<std::size_t>(input.choice)];
    };
    if (condition.meaning() == FieldMeaning::MemberType) {
        condition.setText(chosen());
        return KResult::done();
    }
    switch (condition.type()) {
    case FieldType::Text:
        condition.setText(input.text);
        break;
    case FieldType::Number:
        condition.setNumber(Numbers::leadingLong(input.text));
        break;
    case FieldType::Quantity:
    case FieldType::Amount: {
        const std::optional<double> number = TypedNumber::read(std::string_view(input.text));
        if (!number)
            return KResult::failed(TypedNumber::refusal(CodePage::toQString(input.text),
                                                        condition.type() == FieldType::Quantity
                                                            ? TypedNumber::Kind::Quantity
                                                            : TypedNumber::Kind::Amount));
        condition.setReal(*number);
        break;
    }
    case FieldType::Date:
        condition.setDate(input.date);
        break;
    case FieldType::Boolean:
        condition.setNumber(chosen() == kYes ? 1 : 0);
        break;
    default:
        break;
    }
    return KResult::done();
}

} // namespace

KResult KConditionEditor::accept(KContrPart& part, int entry, const Value& input) const {
    const KField* field = fieldOf(entry);
    if (!field)
        return KResult::nothingToDo();
    if (existing(part)) {
        // A value typed into a control made for another kind of field than the condition's
        // own is not this condition's value; one left as the control showed it is the value
        // the condition has, exactly.
        KFieldList conditions = part.conditions();
        KField* condition =
            conditions.findFirst([this](const KField& c) { return c.id() == m_conditionId; });
        if (controlFor(*condition) != input.control || sameInput(valueFor(part, entry), input))
            return KResult::done();
        const KResult set = setValue(*condition, input);
        // Changed in place: the list is written back whole, so the condition keeps its place
        // among conditions on the same field.
        if (set.isDone())
            part.SetConditions(&conditions);
        return set;
    }
    KField condition = *field;
    const KResult set = setValue(condition, input);
    if (set.isDone())
        part.AddCondition(condition);
    return set;
}
