#include "core/member/KMemberStart.h"

#include "core/document/KMemberFile.h"
#include "platform/Archive.h"

namespace {

void emptyDates(KMember& member, KDateValue registeredOn) {
    for (KField& value : member.values()) {
        if (value.type() != FieldType::Date)
            continue;
        value.setDate(value.meaning() == FieldMeaning::RegistrationDate ? registeredOn
                                                                        : KDateValue(0));
    }
}

std::string bytesOf(const KMember& member) {
    KMember copy(member); // the id is not copied: both compare with the same one
    Archive ar = Archive::forStoring();
    copy.Serialize(ar, KMemberFile::kCurrentVersion);
    return ar.takeData();
}

} // namespace

namespace KMemberStart {

KMember newMember(const KFieldList& fields, const std::vector<std::string>& memberTypes,
                  KDateValue addedOn) {
    KMember member(fields);
    emptyDates(member, addedOn);
    startWithFirstType(member, memberTypes);
    return member;
}

void startWithFirstType(KMember& member, const std::vector<std::string>& memberTypes) {
    if (KField* type = member.valueByMeaning(FieldMeaning::MemberType);
        type && type->displayText().empty() && !memberTypes.empty())
        type->setText(memberTypes.front());
}

KMember forEditing(const KMember& member, const KFieldList& fields) {
    if (!member.values().empty())
        return member;
    KMember filled(fields);
    emptyDates(filled, KDateValue(0));
    filled.charges() = member.charges();
    filled.payments() = member.payments();
    return filled;
}

bool sameContents(const KMember& a, const KMember& b) {
    return bytesOf(a) == bytesOf(b);
}

} // namespace KMemberStart
