#include "core/member/KFieldInput.h"

#include "core/format/Numbers.h"
#include "core/model/KField.h"
#include "platform/CodePage.h"

namespace KFieldInput {

Kind kindOf(const KField* value) {
    if (!value)
        return Kind::Missing;
    if (value->meaning() == FieldMeaning::MemberType)
        return Kind::MemberType;
    switch (value->type()) {
    case FieldType::Text:
    case FieldType::Number:
    case FieldType::Quantity:
    case FieldType::Amount:
        return Kind::Edit;
    case FieldType::Date:
        return Kind::Date;
    case FieldType::Boolean:
        return Kind::Check;
    default:
        return Kind::LabelOnly;
    }
}

std::string editText(const KField& value) {
    switch (value.type()) {
    case FieldType::Quantity:
    case FieldType::Amount:
        return Numbers::fixed2(value.real());
    default:
        return value.displayText();
    }
}

void collectEdit(KField& value, const std::string& shown, const std::string& typed) {
    if (typed == shown)
        return;
    switch (value.type()) {
    case FieldType::Text:
        value.setText(typed);
        break;
    case FieldType::Number:
        value.setNumber(Numbers::leadingLong(typed));
        break;
    case FieldType::Quantity:
    case FieldType::Amount:
        value.setReal(Numbers::leadingReal(typed));
        break;
    default:
        break;
    }
}

bool checked(const KField& value) {
    return value.number() != 0;
}

void collectCheck(KField& value, bool wasChecked, bool isChecked) {
    if (wasChecked != isChecked)
        value.setNumber(isChecked ? 1 : 0);
}

void collectDate(KField& value, bool touched, KDateValue date) {
    if (touched)
        value.setDate(date);
}

int memberTypeIndex(const std::vector<std::string>& types, const std::string& text, bool adding) {
    if (text.empty())
        return adding && !types.empty() ? 0 : -1;
    const QString wanted = CodePage::toQString(text);
    for (std::size_t i = 0; i < types.size(); ++i)
        if (CodePage::toQString(types[i]).startsWith(wanted, Qt::CaseInsensitive))
            return static_cast<int>(i);
    return -1;
}

void collectMemberType(KField& value, const std::vector<std::string>& types, int selected) {
    if (selected >= 0 && selected < static_cast<int>(types.size()))
        value.setText(types[static_cast<std::size_t>(selected)]);
}

} // namespace KFieldInput
