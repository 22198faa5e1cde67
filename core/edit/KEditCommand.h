#pragma once

#include "core/document/CKorvelDoc.h"

#include <QUndoCommand>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The base of every edit: one undoable step that changes the document. A command reads the
// document through doc() and changes it only through the document's mutators below, each of
// which tells the listeners what it changed, in both directions: a command tells nobody
// itself. A command is pushed on the document's stack, which runs redo() at once.
class KEditCommand : public QUndoCommand {
public:
    KEditCommand(CKorvelDoc& doc, const QString& text) : m_doc(doc) { setText(text); }

protected:
    const CKorvelDoc& doc() const { return m_doc; }

    // The document's mutators, as CKorvelDoc describes them.
    void insertMember(std::size_t at, std::unique_ptr<KMember> member) const {
        m_doc.insertMember(at, std::move(member));
    }
    std::unique_ptr<KMember> takeMember(std::size_t at) const { return m_doc.takeMember(at); }
    std::vector<std::pair<std::size_t, std::unique_ptr<KMember>>>
    takeMembers(const std::function<bool(const KMember&)>& take) const {
        return m_doc.takeMembers(take);
    }
    void putBackMembers(std::vector<std::pair<std::size_t, std::unique_ptr<KMember>>> taken) const {
        m_doc.putBackMembers(std::move(taken));
    }
    bool swapMember(std::int32_t id, KMember& contents) const {
        return m_doc.swapMember(id, contents);
    }
    void swapMembers(std::vector<std::pair<std::int32_t, KMember>>& contents) const {
        m_doc.swapMembers(contents);
    }
    void changeMembers(
        const std::function<std::vector<std::int32_t>(KMemberAccess&)>& change) const {
        m_doc.changeMembers(change);
    }
    void insertScheme(std::size_t at, std::unique_ptr<KContribution> scheme) const {
        m_doc.insertScheme(at, std::move(scheme));
    }
    std::unique_ptr<KContribution> takeScheme(std::size_t at) const {
        return m_doc.takeScheme(at);
    }
    bool swapScheme(std::int32_t id, KContribution& contents) const {
        return m_doc.swapScheme(id, contents);
    }
    void swapFields(KFieldList& fields, KTabList& tabs,
                    const std::function<void(KMemberAccess&)>& alongside = {}) const {
        m_doc.swapFields(fields, tabs, alongside);
    }
    void swapTabs(KTabList& tabs) const { m_doc.swapTabs(tabs); }
    void swapMemberTypes(std::vector<std::string>& memberTypes) const {
        m_doc.swapMemberTypes(memberTypes);
    }

private:
    CKorvelDoc& m_doc;
};
