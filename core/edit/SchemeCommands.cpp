#include "core/edit/SchemeCommands.h"

#include "core/KProgressReport.h"
#include "core/edit/KSchemeCharges.h"
#include "core/model/ContributionRules.h"
#include "platform/CodePage.h"

#include <utility>

namespace {

constexpr std::int64_t kReportEvery = 256;

} // namespace

KAddSchemeCommand::KAddSchemeCommand(CKorvelDoc& doc, std::unique_ptr<KContribution> scheme)
    : KEditCommand(doc, QStringLiteral("nieuwe contributie")), m_scheme(std::move(scheme)) {}

void KAddSchemeCommand::redo() {
    m_index = schemes().insertIndex(*m_scheme);
    schemes().insertAt(m_index, std::move(m_scheme));
    tellSchemes();
}

void KAddSchemeCommand::undo() {
    m_scheme = schemes().takeAt(m_index);
    tellSchemes();
}

KReplaceSchemeCommand::KReplaceSchemeCommand(CKorvelDoc& doc, std::int32_t id,
                                             const KContribution& contents, bool carryThrough)
    : KEditCommand(doc, QStringLiteral("contributie wijzigen")), m_id(id), m_other(contents),
      m_carryThrough(carryThrough) {
    m_other.setId(id);
}

void KReplaceSchemeCommand::redo() {
    KContribution* target = scheme(m_id);
    if (!target)
        return;
    std::swap(*target, m_other);
    tellSchemes();
    if (!m_carryThrough)
        return;
    if (!m_charges.redo(memberLookup())) {
        KSchemeCharges charges(*target);
        for (KMember& m : members())
            m_charges.apply(m, m_id, charges.chargeFor(m));
    }
    tellMembers({{}, m_charges.memberIds(), {}});
}

void KReplaceSchemeCommand::undo() {
    KContribution* target = scheme(m_id);
    if (!target)
        return;
    const std::vector<std::int32_t> changed = m_charges.memberIds();
    m_charges.undo(memberLookup());
    std::swap(*target, m_other);
    tellSchemes();
    tellMembers({{}, changed, {}});
}

KDeleteSchemeCommand::KDeleteSchemeCommand(CKorvelDoc& doc, std::int32_t id, bool removeCharges)
    : KEditCommand(doc, QStringLiteral("contributie verwijderen")), m_id(id),
      m_removeCharges(removeCharges) {}

void KDeleteSchemeCommand::redo() {
    const KContribution* target = scheme(m_id);
    if (!target)
        return;
    if (m_removeCharges && !m_charges.redo(memberLookup()))
        for (KMember& m : members())
            m_charges.remove(m, m_id);
    const KContribution same = *target;
    std::size_t index = 0;
    for (const KContribution& s : schemes()) {
        if (s == same)
            break;
        ++index;
    }
    m_index = index;
    m_scheme = schemes().takeAt(index);
    tellSchemes();
    tellMembers({{}, m_charges.memberIds(), {}});
}

void KDeleteSchemeCommand::undo() {
    if (!m_scheme)
        return;
    schemes().insertAt(m_index, std::move(m_scheme));
    const std::vector<std::int32_t> changed = m_charges.memberIds();
    m_charges.undo(memberLookup());
    tellSchemes();
    tellMembers({{}, changed, {}});
}

KApplySchemeCommand::KApplySchemeCommand(CKorvelDoc& doc, const KContribution& scheme,
                                         std::vector<std::int32_t> memberIds)
    : KEditCommand(doc, QStringLiteral("contributie uitvoeren")), m_scheme(scheme),
      m_ids(std::move(memberIds)) {}

bool KApplySchemeCommand::run(KProgressReport* progress) {
    m_total = 0.0;
    std::int64_t done = 0;
    KSchemeCharges charges(m_scheme);
    for (std::int32_t id : m_ids) {
        if (KMember* m = member(id)) {
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

bool KApplySchemeCommand::perform(KProgressReport* progress) {
    if (progress)
        progress->start(QStringLiteral("Contributie \"%1\" wordt uitgevoerd")
                            .arg(CodePage::toQString(m_scheme.description())),
                        static_cast<std::int64_t>(m_ids.size()));
    const bool finished = run(progress);
    if (progress)
        progress->finish();
    if (!finished) {
        m_charges.undo(memberLookup());
        m_charges.clear();
        return false;
    }
    m_skipRedo = true;
    return true;
}

void KApplySchemeCommand::redo() {
    if (!m_skipRedo && !m_charges.redo(memberLookup()))
        run(nullptr);
    m_skipRedo = false;
    tellMembers({{}, m_charges.memberIds(), {}});
}

void KApplySchemeCommand::undo() {
    const std::vector<std::int32_t> changed = m_charges.memberIds();
    m_charges.undo(memberLookup());
    tellMembers({{}, changed, {}});
}
