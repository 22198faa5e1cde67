#pragma once

#include "core/document/CKorvelDoc.h"
#include "core/model/KContribution.h"

// A twelve-part scheme like a club's fee schedule: every part tests Senior, most also the
// member type or the registration.
inline KContribution twelvePartScheme(const CKorvelDoc& doc, std::int32_t id = 900) {
    auto fieldWith = [&doc](FieldMeaning meaning) {
        return *doc.fields().findFirst(
            [meaning](const KField& f) { return f.meaning() == meaning; });
    };
    KContribution scheme(id);
    scheme.setDescription("Contributie 2024");
    const char* names[6] = {"Contributie",  "Bondscontributie", "Competitie",
                            "Inschrijving", "Donatie",          "Anders"};
    for (int i = 0; i < 12; ++i) {
        KContrPart part(names[i % 6], 1000 + i, 10.0 * (i + 1));
        KField senior = fieldWith(FieldMeaning::Senior);
        senior.setNumber(i < 6 ? 1 : 0);
        part.AddCondition(senior);
        if (i % 6 == 0 || i % 6 == 4) {
            KField type = fieldWith(FieldMeaning::MemberType);
            type.setText(i % 6 == 0 ? "Lid" : "Donateur");
            part.AddCondition(type);
        } else if (i % 6 == 1) {
            KField registered = fieldWith(FieldMeaning::Registered);
            registered.setNumber(1);
            part.AddCondition(registered);
        }
        scheme.AddPart(part);
    }
    return scheme;
}
