#pragma once

#include "core/document/CKorvelDoc.h"
#include "core/model/KMember.h"

#include <string>

// Builds test administrations in a line or two: doc = newDoc(); addMember(doc, "Jansen").
inline void newDocument(CKorvelDoc& doc) { doc.OnNewDocument(); }

inline KField* valueOf(KMember& m, FieldMeaning meaning) { return m.valueByMeaning(meaning); }

inline KMember& addMember(CKorvelDoc& doc, const std::string& name,
                          const std::string& memberType = "Lid", bool senior = true) {
    auto m = std::make_unique<KMember>(doc.fields());
    m->setId(doc.handOutId());
    m->setTextByMeaning(FieldMeaning::Name, name);
    m->setTextByMeaning(FieldMeaning::MemberType, memberType);
    if (KField* s = m->valueByMeaning(FieldMeaning::Senior))
        s->setNumber(senior ? 1 : 0);
    return doc.addMember(std::move(m));
}
