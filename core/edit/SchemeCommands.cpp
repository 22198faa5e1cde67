#include "core/edit/SchemeCommands.h"

#include "core/KProgressReport.h"
#include "core/edit/KSchemeCharges.h"
#include "core/model/ContributionRules.h"
#include "platform/CodePage.h"

#include <utility>

namespace {

constexpr std::int64_t kReportEvery = 256;

// Takes back every recorded charge change; the members it changed.
std::vector<std::int32_t> undoCharges(KChargeChanges& charges, const KMemberAccess& members) {
    std::vector<std::int32_t> changed = charges.memberIds();
    charges.undo(members.lookup());
    return changed;
}

} // namespace

KAddSchemeCommand::KAddSchemeCommand(CKorvelDoc& doc, std::unique_ptr<KContribution> scheme)
    : KEditCommand(doc, QStringLiteral("nieuwe contributie")), m_scheme(std::move(scheme)) {}

void KAddSchemeCommand::redo() {
    m_index = doc().schemes().insertIndex(*m_scheme);
    insertScheme(m_index, std::move(m_scheme));
}

void KAddSchemeCommand::undo() {
    m_scheme = takeScheme(m_index);
}

KReplaceSchemeCommand::KReplaceSchemeCommand(CKorvelDoc& doc, std::int32_t id,
                                             const KContribution& contents, bool carryThrough)
    : KEditCommand(doc, QStringLiteral("contributie wijzigen")), m_id(id), m_other(contents),
      m_carryThrough(carryThrough) {
    m_other.setId(id);
}

void KReplaceSchemeCommand::redo() {
    if (!swapScheme(m_id, m_other) || !m_carryThrough)
        return;
    changeMembers([this](KMemberAccess& members) {
        if (!m_charges.redo(members.lookup())) {
            KSchemeCharges charges(*doc().findSchemeById(m_id));
            for (KMember& m : members)
                m_charges.apply(m, m_id, charges.chargeFor(m));
        }
        return m_charges.memberIds();
    });
}

void KReplaceSchemeCommand::undo() {
    if (!doc().findSchemeById(m_id))
        return;
    changeMembers([this](KMemberAccess& members) { return undoCharges(m_charges, members); });
    swapScheme(m_id, m_other);
}

KDeleteSchemeCommand::KDeleteSchemeCommand(CKorvelDoc& doc, std::int32_t id, bool removeCharges)
    : KEditCommand(doc, QStringLiteral("contributie verwijderen")), m_id(id),
      m_removeCharges(removeCharges) {}

void KDeleteSchemeCommand::redo() {
    const KContribution* target = doc().findSchemeById(m_id);
    if (!target)
        return;
    if (m_removeCharges)
        changeMembers([this](KMemberAccess& members) {
            if (!m_charges.redo(members.lookup()))
                for (KMember& m : members)
                    m_charges.remove(m, m_id);
            return m_charges.memberIds();
        });
    const KContribution same = *target;
    std::size_t index = 0;
    for (const KContribution& s : doc().schemes()) {
        if (s == same)
            break;
        ++index;
    }
    m_index = index;
    m_scheme = takeScheme(index);
}

void KDeleteSchemeCommand::undo() {
    if (!m_scheme)
        return;
    insertScheme(m_index, std::move(m_scheme));
    changeMembers([this](KMemberAccess& members) { return undoCharges(m_charges, members); });
}

KApplySchemeCommand::KApplySchemeCommand(CKorvelDoc& doc, const KContribution& scheme,
                                         std::vector<std::int32_t> memberIds)
    : KEditCommand(doc, QStringLiteral("contributie uitvoeren")), m_scheme(scheme),
      m_ids(std::move(memberIds)) {}

bool KApplySchemeCommand::run(const KMemberAccess& members, KProgressReport* progress) {
    m_total = 0.0;
    std::int64_t done = 0;
    KSchemeCharges charges(m_scheme);
    for (std::int32_t id : m_ids) {
        if (KMember* m = members.member(id)) {
            m_charges.apply(*m, m_scheme.id(), charges.chargeFor(*m));
            if (const KCharge* latest = m->latestCharge(&m_scheme))
                m_total += latest->total();
        }
        ++done;
        if (progress && done % kReportEvery == 0 && !progress->advance(done))
            return false;
    }
    if (progress)
        progress->advance(done);
    return true;
}

KOutcome KApplySchemeCommand::perform(KProgressReport* progress) {
    if (progress)
        progress->start(QStringLiteral("Contributie \"%1\" wordt uitgevoerd")
                            .arg(CodePage::toQString(m_scheme.description())),
                        static_cast<std::int64_t>(m_ids.size()));
    bool finished = false;
    // A stopped execution is taken back before anybody hears of it: nothing changed then.
    changeMembers([&](KMemberAccess& members) {
        finished = run(members, progress);
        if (progress)
            progress->finish();
        if (finished)
            return m_charges.memberIds();
        m_charges.undo(members.lookup());
        m_charges.clear();
        return std::vector<std::int32_t>{};
    });
    if (!finished)
        return KOutcome::Stopped;
    m_skipRedo = true;
    return KOutcome::Done;
}

void KApplySchemeCommand::redo() {
    // The first redo, at the push, finds the work done and heard by perform().
    if (m_skipRedo) {
        m_skipRedo = false;
        return;
    }
    changeMembers([this](KMemberAccess& members) {
        if (!m_charges.redo(members.lookup()))
            run(members, nullptr);
        return m_charges.memberIds();
    });
}

void KApplySchemeCommand::undo() {
    changeMembers([this](KMemberAccess& members) { return undoCharges(m_charges, members); });
}
