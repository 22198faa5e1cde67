#pragma once

#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/model/KMember.h"
#include "platform/Archive.h"

#include <string>

// Builds test administrations in a line or two: newDocument(doc); addMember(doc, "Jansen").
// Members go in through the edit path, as the program adds them.
inline void newDocument(CKorvelDoc& doc) { doc.OnNewDocument(); }

inline KField* valueOf(KMember& m, FieldMeaning meaning) { return m.valueByMeaning(meaning); }

// A member with the document's fields and a new id, not yet in the document.
inline KMember makeMember(CKorvelDoc& doc, const std::string& name,
                          const std::string& memberType = "Lid", bool senior = true) {
    KMember m(doc.fields());
    m.setId(doc.handOutId());
    m.setTextByMeaning(FieldMeaning::Name, name);
    m.setTextByMeaning(FieldMeaning::MemberType, memberType);
    if (KField* s = m.valueByMeaning(FieldMeaning::Senior))
        s->setNumber(senior ? 1 : 0);
    return m;
}

// Adds the member and returns the document's own.
inline const KMember& addMember(CKorvelDoc& doc, const KMember& member) {
    KEdit::addMember(doc, member);
    return *doc.findMember(member.id());
}

inline const KMember& addMember(CKorvelDoc& doc, const std::string& name,
                                const std::string& memberType = "Lid", bool senior = true) {
    return addMember(doc, makeMember(doc, name, memberType, senior));
}

// The bytes a save would write now.
inline std::string savedBytes(CKorvelDoc& doc) {
    Archive ar = Archive::forStoring();
    doc.Serialize(ar);
    return ar.takeData();
}
