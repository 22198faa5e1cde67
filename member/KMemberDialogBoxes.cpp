#include "member/KMemberDialogBoxes.h"

#include "member/KDlgCharge.h"
#include "member/KDlgMember.h"
#include "member/KDlgAgeUpdate.h"
#include "member/KDlgPayment.h"

std::optional<KMember> KMemberDialogBoxes::editMember(const CKorvelDoc& doc, const KMember& start,
                                                      bool adding) {
    KDlgMember dialog(doc, start, adding, *this, m_questions, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.member();
}

std::optional<KCharge> KMemberDialogBoxes::editCharge(const KCharge& start, QWidget* parent) {
    KDlgCharge dialog(start, parent ? parent : m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.charge();
}

std::optional<KPayment> KMemberDialogBoxes::editPayment(const KPayment& start, QWidget* parent) {
    KDlgPayment dialog(start, parent ? parent : m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.payment();
}

std::optional<KMemberDialogs::AgeChoice>
KMemberDialogBoxes::chooseAgeUpdate(const AgeChoice& start) {
    KDlgAgeUpdate dialog(start, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}
