#pragma once

#include "core/document/CKorvelDoc.h"

#include <QUndoCommand>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The base of every edit: one undoable step that changes the document. Only edit commands
// reach the document's lists; they tell the document's listeners what they changed, in both
// directions. A command is pushed on the document's stack, which runs redo() at once.
class KEditCommand : public QUndoCommand {
public:
    KEditCommand(CKorvelDoc& doc, const QString& text);

protected:
    CKorvelDoc& doc() const { return m_doc; }

    KMemberList& members() const { return m_doc.m_members; }
    KSchemeList& schemes() const { return m_doc.m_schemes; }
    KFieldList& fields() const { return m_doc.m_fields; }
    KTabList& tabs() const { return m_doc.m_tabs; }
    std::vector<std::string>& memberTypes() const { return m_doc.m_memberTypes; }
    KMember* member(std::int32_t id) const { return m_doc.mutableMember(id); }
    KContribution* scheme(std::int32_t id) const { return m_doc.mutableScheme(id); }
    // member() as a function to hand on.
    std::function<KMember*(std::int32_t)> memberLookup() const {
        return [this](std::int32_t id) { return member(id); };
    }
    // Members were added to or taken from the list.
    void memberListChanged() const { m_doc.memberListChanged(); }

    void tellMembers(const KMemberChange& change) const;
    void tellConfiguration() const;
    void tellSchemes() const;

private:
    CKorvelDoc& m_doc;
};
