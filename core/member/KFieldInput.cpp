#include "core/member/KFieldInput.h"

#include "core/format/Numbers.h"
#include "core/format/TypedNumber.h"
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

KResult collectEdit(KField& value, const std::string& shown, const std::string& typed) {
    if (typed == shown)
        return KResult::done();
    switch (value.type()) {
    case FieldType::Text:
        value.setText(typed);
        break;
    case FieldType::Number:
        value.setNumber(Numbers::leadingLong(typed));
        break;
    case FieldType::Quantity:
    case FieldType::Amount: {
        const std::optional<double> number = TypedNumber::read(std::string_view(typed));
        if (!number)
            return KResult::failed(TypedNumber::refusal(CodePage::toQString(typed),
                                                        value.type() == FieldType::Quantity
                                                            ? TypedNumber::Kind::Quantity
                                                            : TypedNumber::Kind::Amount));
        value.setReal(*number);
        break;
    }
    default:
        break;
    }
    return KResult::done();
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
    for (std::size_t i = 0; i < types.size(); ++i)
        if (types[i] == text)
            return static_cast<int>(i);
    const QString wanted = CodePage::toQString(text);
    for (std::size_t i = 0; i < types.size(); ++i)
        if (CodePage::toQString(types[i]).compare(wanted, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    for (std::size_t i = 0; i < types.size(); ++i)
        if (CodePage::toQString(types[i]).startsWith(wanted, Qt::CaseInsensitive))
            return static_cast<int>(i);
    return -1;
}

void collectMemberType(KField& value, const std::vector<std::string>& types, int shown,
                       int selected) {
    if (selected < 0 || selected >= static_cast<int>(types.size()))
        return;
    // A new member's list offers the first type for an empty text: that is stored, as shown.
    if (selected != shown || value.displayText().empty())
        value.setText(types[static_cast<std::size_t>(selected)]);
}

} // namespace KFieldInput
