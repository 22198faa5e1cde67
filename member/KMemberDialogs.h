#pragma once

#include "core/model/KCharge.h"
#include "core/model/KMember.h"
#include "core/model/KPayment.h"

#include <optional>

class CKorvelDoc;
class QWidget;

// The dialogs of the member area, value in and value out: each edits a copy and hands back the
// changed copy on OK, nothing on cancel. The program shows the real dialogs; tests answer from a
// script. The financial page reaches the charge and payment dialogs through the same interface.
class KMemberDialogs {
public:
    virtual ~KMemberDialogs() = default;

    // The member dialog on a copy of start: a new member when adding, else the member's data.
    virtual std::optional<KMember> editMember(const CKorvelDoc& doc, const KMember& start,
                                              bool adding) = 0;
    // The charge dialog ("Te Betalen bedrag") and the payment dialog ("Ontvangen bedrag").
    virtual std::optional<KCharge> editCharge(const KCharge& start, QWidget* parent) = 0;
    virtual std::optional<KPayment> editPayment(const KPayment& start, QWidget* parent) = 0;

    // "Leeftijd bijwerken": the reference date and the age from which a member is a senior.
    struct AgeChoice {
        KDateValue reference;
        int age = 0;
    };
    virtual std::optional<AgeChoice> chooseAgeUpdate(const AgeChoice& start) = 0;
};
