#pragma once

#include "core/edit/KEditCommand.h"
#include "core/edit/KImportChanges.h"

#include <memory>
#include <unordered_set>
#include <utility>

// An import in one step: adds text fields to the field list and their tabs, with a default
// value in every member that holds values; appends member types; fills in existing members;
// adds the new members where inserting them one by one in the order given would put them, in
// n log n instead of one walk of the list per member.
class KImportMembersCommand : public KEditCommand {
public:
    KImportMembersCommand(CKorvelDoc& doc, KImportChanges changes);
    void redo() override;
    void undo() override;

private:
    // The first redo: the field, tab and member-type lists with what the import adds.
    void makeLists();
    void addValues(KMemberAccess& members) const;
    void removeValues(KMemberAccess& members) const;
    // The first redo: the new members with the places in the list that one-by-one insertion
    // would give them.
    std::vector<std::pair<std::size_t, std::unique_ptr<KMember>>> placeNewMembers();

    std::vector<KImportChanges::NewField> m_fields;
    std::vector<std::string> m_types;
    // The lists not in the document: after a redo the ones before the import, after an undo
    // the ones with it.
    KFieldList m_fieldList;
    KTabList m_tabList;
    std::vector<std::string> m_typeList;
    std::vector<std::pair<std::int32_t, KMember>> m_others; // the contents not in the document
    std::vector<std::unique_ptr<KMember>> m_new;            // before the first redo
    std::vector<std::pair<std::size_t, std::unique_ptr<KMember>>> m_out; // undone, with places
    std::unordered_set<const KMember*> m_added;
    bool m_placed = false;
};
