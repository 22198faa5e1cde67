#include "contrib/KContribCommands.h"

#include "contrib/KContribDialogs.h"
#include "core/KOutcome.h"
#include "core/KProgressReport.h"
#include "core/KQuestions.h"
#include "core/contrib/KExecution.h"
#include "core/contrib/KOverview.h"
#include "core/contrib/KSchemeChoice.h"
#include "core/contrib/KSchemeEditor.h"
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "platform/CodePage.h"
#include "res/Commands.h"
#include "view/KMainView.h"

KContribCommands::KContribCommands(KCommandHost& host, std::unique_ptr<KContribDialogs> dialogs)
    : m_host(host), m_doc(host.document()), m_dialogs(std::move(dialogs)) {
    CKorvelDoc& doc = m_doc;
    const auto hasSchemes = [&doc] { return !doc.schemes().empty(); };
    host.setHandler(Cmd::ContrNew, [this] { newScheme(); });
    host.setHandler(Cmd::ContrChange, [this] { changeScheme(); });
    host.setEnabledRule(Cmd::ContrChange, hasSchemes);
    host.setHandler(Cmd::ContrDelete, [this] { deleteScheme(); });
    host.setEnabledRule(Cmd::ContrDelete, hasSchemes);
    host.setHandler(Cmd::ContrExecute, [this] { execute(); });
    host.setEnabledRule(Cmd::ContrExecute,
                        [&doc] { return !doc.schemes().empty() && !doc.members().empty(); });
    host.setHandler(Cmd::ContrOverview, [this] { overview(); });
    doc.addListener(this);
}

KContribCommands::~KContribCommands() {
    m_doc.removeListener(this);
}

void KContribCommands::schemesChanged() {
    m_host.refreshCommandStates();
}

void KContribCommands::documentReset() {
    m_host.refreshCommandStates();
}

bool KContribCommands::anyMemberCharged(std::int32_t schemeId) const {
    for (const KMember& member : m_doc.members())
        if (member.hasChargeForScheme(schemeId))
            return true;
    return false;
}

void KContribCommands::newScheme() {
    CKorvelDoc& doc = m_doc;
    // The new scheme's id is taken now and stays used, also when the user cancels.
    const KContribution scheme(doc.handOutId());
    KSchemeEditor editor(scheme, doc.fields(), doc.memberTypes(), [&doc] { return doc.handOutId(); });
    if (!m_dialogs->editScheme(editor))
        return;
    KEdit::addScheme(doc, editor.working());
}

void KContribCommands::changeScheme() {
    CKorvelDoc& doc = m_doc;
    const KContribution* scheme = KSchemeChoice::choose(doc, m_host.questions());
    if (!scheme)
        return;
    const std::int32_t id = scheme->id();
    KSchemeEditor editor(*scheme, doc.fields(), doc.memberTypes(), [&doc] { return doc.handOutId(); });
    if (!m_dialogs->editScheme(editor))
        return;
    // Carrying through charges every member again: asked only for a real change, and a quick
    // Enter keeps the members' charges as they are.
    const bool carryThrough = editor.changed() && anyMemberCharged(id) &&
                              m_host.questions().yesNoDefaultNo(QString::fromLatin1(kCarryThrough));
    KEdit::replaceScheme(doc, id, editor.working(), carryThrough);
}

void KContribCommands::deleteScheme() {
    CKorvelDoc& doc = m_doc;
    const KContribution* scheme = KSchemeChoice::choose(doc, m_host.questions());
    if (!scheme)
        return;
    const std::int32_t id = scheme->id();
    if (!m_host.questions().yesNo(
            QString::fromLatin1(kConfirmDelete).arg(CodePage::toQString(scheme->description()))))
        return;
    const bool removeCharges = anyMemberCharged(id) &&
                               m_host.questions().yesNo(QString::fromLatin1(kRemoveCharges));
    KEdit::deleteScheme(doc, id, removeCharges);
}

void KContribCommands::execute() {
    const KResult result = runExecution();
    if (result.isStopped())
        m_host.showStatus(FrameText::stoppedMessage(QStringLiteral("Contributie uitvoeren")));
    else if (result.outcome() == KOutcome::NothingToDo && !result.reason().isEmpty())
        m_host.showStatus(result.reason());
}

KResult KContribCommands::runExecution() {
    CKorvelDoc& doc = m_doc;
    if (doc.schemes().empty()) {
        m_host.questions().alert(QString::fromLatin1(KSchemeChoice::kNoSchemes));
        return KResult::nothingToDo();
    }
    if (doc.members().empty()) {
        m_host.questions().alert(QString::fromLatin1(KSchemeChoice::kNoMembers));
        return KResult::nothingToDo();
    }
    const KContribution* scheme = KSchemeChoice::choose(doc, m_host.questions());
    if (!scheme)
        return KResult::nothingToDo();
    const std::int32_t id = scheme->id();
    const auto chosen = m_dialogs->chooseMembers(
        scheme->description(), KExecution::rows(doc, *scheme, m_host.mainView().memberRows()));
    if (!chosen)
        return KResult::nothingToDo();
    if (chosen->empty()) {
        // Nobody to charge: no step in the history for it.
        m_host.questions().alert(KExecution::totalMessage(0.0));
        return KResult::nothingToDo(QStringLiteral("Geen leden gekozen; er is niets veranderd."));
    }
    // Charges of this scheme may hold corrections made by hand: replacing them is asked once.
    const std::size_t replaced = KExecution::chargesReplaced(doc, id, *chosen);
    if (replaced > 0 && !m_host.questions().yesNoDefaultNo(KExecution::replaceQuestion(replaced)))
        return KResult::stopped();
    const std::unique_ptr<KProgressReport> progress = m_dialogs->progress();
    const KEdit::Applied applied = KEdit::applyScheme(doc, id, *chosen, progress.get());
    // Stopped in the progress window: nothing was changed.
    if (!applied)
        return applied.result;
    m_host.questions().alert(KExecution::totalMessage(applied.total));
    return KResult::done();
}

void KContribCommands::overview() {
    const KOverview overview(m_doc);
    if (!overview.filled())
        m_host.questions().alert(overview.filled().reason());
    m_dialogs->showOverview(overview, [this, &overview](int row, int col) {
        listMembersOf(overview, row, col);
    });
}

void KContribCommands::listMembersOf(const KOverview& overview, int row, int col) {
    const KOverview::Members members = overview.membersOf(row, col);
    if (members.lines.empty())
        return;
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(members.lines.size()));
    for (const std::string& line : members.lines)
        lines.push_back(CodePage::toQString(line));
    // Only to look at: the choice is not used.
    m_host.questions().selectString(lines, CodePage::toQString(members.title), false);
}
