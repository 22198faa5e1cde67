#pragma once

#include "core/edit/KChargeChanges.h"
#include "core/edit/KEditCommand.h"

#include <memory>

class KProgressReport;

// Adds a new scheme to the scheme list, in scheme order.
class KAddSchemeCommand : public KEditCommand {
public:
    KAddSchemeCommand(CKorvelDoc& doc, std::unique_ptr<KContribution> scheme);
    void redo() override;
    void undo() override;

private:
    std::unique_ptr<KContribution> m_scheme; // while not in the document
    std::size_t m_index = 0;
};

// Gives the scheme with an id a new description, date and parts; it keeps its place in the
// list. Carried through, every member in list order is charged by the changed scheme as
// executing it would (also members who had no charge of it).
class KReplaceSchemeCommand : public KEditCommand {
public:
    KReplaceSchemeCommand(CKorvelDoc& doc, std::int32_t id, const KContribution& contents,
                          bool carryThrough);
    void redo() override;
    void undo() override;

private:
    std::int32_t m_id;
    KContribution m_other; // the contents not in the document
    bool m_carryThrough;
    KChargeChanges m_charges;
};

// Deletes the scheme with an id (the first scheme of the list with its date and id), and with
// removeCharges every member's first charge of it.
class KDeleteSchemeCommand : public KEditCommand {
public:
    KDeleteSchemeCommand(CKorvelDoc& doc, std::int32_t id, bool removeCharges);
    void redo() override;
    void undo() override;

private:
    std::int32_t m_id;
    bool m_removeCharges;
    KChargeChanges m_charges;
    std::unique_ptr<KContribution> m_scheme; // while not in the document
    std::size_t m_index = 0;
};

// Executes a scheme: charges each of the members, in the order given, with the parts of the
// scheme they meet, replacing their earlier charge of it.
class KApplySchemeCommand : public KEditCommand {
public:
    KApplySchemeCommand(CKorvelDoc& doc, const KContribution& scheme,
                        std::vector<std::int32_t> memberIds);

    // Does the work, reporting progress. When the user stops it, everything done so far is
    // undone and Stopped comes back: the command must then not be pushed. After Done, push it;
    // its first redo() finds the work done.
    KOutcome perform(KProgressReport* progress);
    // The total of the new charges that are their member's latest charge.
    double total() const { return m_total; }
    std::size_t memoryBytes() const { return m_charges.memoryBytes() + sizeof(*this); }

    void redo() override;
    void undo() override;

private:
    bool run(const KMemberAccess& members, KProgressReport* progress);

    KContribution m_scheme;
    std::vector<std::int32_t> m_ids;
    KChargeChanges m_charges;
    double m_total = 0.0;
    bool m_skipRedo = false;
};
