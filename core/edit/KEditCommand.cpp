#include "core/edit/KEditCommand.h"

KEditCommand::KEditCommand(CKorvelDoc& doc, const QString& text) : m_doc(doc) {
    setText(text);
}

void KEditCommand::tellMembers(const KMemberChange& change) const {
    if (change.empty())
        return;
    m_doc.tellListeners([&change](KDocListener& l) { l.membersChanged(change); });
}

void KEditCommand::tellConfiguration() const {
    m_doc.tellListeners([](KDocListener& l) { l.configurationChanged(); });
}

void KEditCommand::tellSchemes() const {
    m_doc.tellListeners([](KDocListener& l) { l.schemesChanged(); });
}
