#pragma once

#include "member/KMemberDialogs.h"

class KQuestions;
class QWidget;

// The member area's dialogs as the program shows them.
class KMemberDialogBoxes : public KMemberDialogs {
public:
    KMemberDialogBoxes(QWidget* parent, KQuestions& questions)
        : m_parent(parent), m_questions(questions) {}

    std::optional<KMember> editMember(const CKorvelDoc& doc, const KMember& start,
                                      bool adding) override;
    std::optional<KCharge> editCharge(const KCharge& start, QWidget* parent) override;
    std::optional<KPayment> editPayment(const KPayment& start, QWidget* parent) override;
    std::optional<AgeChoice> chooseAgeUpdate(const AgeChoice& start) override;

private:
    QWidget* m_parent;
    KQuestions& m_questions;
};
