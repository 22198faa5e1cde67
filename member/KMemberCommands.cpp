#include "member/KMemberCommands.h"

#include "core/KQuestions.h"
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "core/format/Clock.h"
#include "core/member/KAgeUpdate.h"
#include "core/member/KMemberStart.h"
#include "member/KMemberDialogs.h"
#include "platform/CodePage.h"
#include "res/Commands.h"
#include "view/KMainView.h"

KMemberCommands::KMemberCommands(KCommandHost& host, std::unique_ptr<KMemberDialogs> dialogs)
    : m_host(host), m_dialogs(std::move(dialogs)) {
    m_host.setHandler(Cmd::MemberAdd, [this] { addMember(); });
    m_host.setHandler(Cmd::MemberEdit, [this] { changeMember(); });
    m_host.setHandler(Cmd::MemberDelete, [this] { deleteMembers(); });
    m_host.setHandler(Cmd::MemberAgeUpdate, [this] { updateAges(); });
    CKorvelDoc& doc = m_host.document();
    m_host.setEnabledRule(Cmd::MemberAgeUpdate, [&doc] { return !doc.members().empty(); });
}

void KMemberCommands::updateAges() {
    CKorvelDoc& doc = m_host.document();
    KQuestions& questions = m_host.questions();
    const std::optional<KMemberDialogs::AgeChoice> choice = m_dialogs->chooseAgeUpdate(
        {KAgeUpdate::defaultReferenceDate(KDateValue(Clock::today())), KAgeUpdate::kDefaultAge});
    if (!choice)
        return;
    KAgeUpdate::Plan plan = KAgeUpdate::plan(doc, choice->reference, choice->age);
    if (!plan.hasSeniorField) {
        questions.alert(QStringLiteral("Er is geen veld met de betekenis Senior."));
        return;
    }
    if (plan.changes.empty()) {
        questions.alert(QStringLiteral("Bij geen enkel lid verandert Senior."));
        return;
    }
    if (!questions.yesNo(KAgeUpdate::question(plan)))
        return;
    const std::size_t changed =
        KEdit::replaceMembers(doc, QString::fromLatin1(KAgeUpdate::kUndoText), std::move(plan.changes));
    m_host.showStatus(changed == 1 ? QStringLiteral("Senior bijgewerkt bij 1 lid.")
                                   : QStringLiteral("Senior bijgewerkt bij %1 leden.").arg(changed));
}

KMemberCommands::~KMemberCommands() = default;

void KMemberCommands::addMember() {
    CKorvelDoc& doc = m_host.document();
    const KMember fresh =
        KMemberStart::newMember(doc.fields(), doc.memberTypes(), KDateValue(Clock::today()));
    std::optional<KMember> added = m_dialogs->editMember(doc, fresh, true);
    if (!added)
        return;
    // The id is handed out only now: a cancelled dialog leaves the counter as it was.
    added->setId(doc.handOutId());
    KEdit::addMember(doc, *added);
    m_host.mainView().selectMemberRow(added->id());
}

void KMemberCommands::changeMember() {
    const std::vector<std::int32_t> selected = m_host.mainView().selectedMembers();
    if (selected.empty()) {
        m_host.questions().alert(QStringLiteral("Selecteer eerst een lid."));
        return;
    }
    editMemberById(selected.front());
}

void KMemberCommands::editMemberById(std::int32_t id) {
    CKorvelDoc& doc = m_host.document();
    const KMember* member = doc.findMember(id);
    if (!member) {
        m_host.questions().alert(QStringLiteral("Kan gegevens niet vinden."));
        return;
    }
    const std::optional<KMember> changed =
        m_dialogs->editMember(doc, KMemberStart::forEditing(*member, doc.fields()), false);
    if (!changed)
        return;
    KEdit::replaceMember(doc, id, *changed);
    m_host.mainView().selectMemberRow(id);
}

void KMemberCommands::deleteMembers() {
    deleteMembersByIds(m_host.mainView().selectedMembers());
}

void KMemberCommands::deleteMembersByIds(const std::vector<std::int32_t>& ids) {
    KQuestions& questions = m_host.questions();
    if (ids.empty()) {
        questions.alert(QStringLiteral("Geen leden geselecteerd om te verwijderen."));
        return;
    }
    if (ids.size() > 1 && !questions.yesNo(QStringLiteral(
                              "Weet u zeker dat u de geselecteerde leden wilt verwijderen?")))
        return;
    CKorvelDoc& doc = m_host.document();
    bool found = false;
    for (std::int32_t id : ids) {
        const KMember* member = doc.findMember(id);
        if (!member)
            continue;
        if (ids.size() == 1 &&
            !questions.yesNo(QStringLiteral("Weet u zeker dat u\n%1\nwilt verwijderen?")
                                 .arg(CodePage::toQString(member->name()))))
            return;
        found = true;
    }
    // Ids that find no member are passed over; with none left there is nothing to undo.
    if (found)
        KEdit::deleteMembers(doc, ids);
}
