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
    void addFields();
    void removeFields();
    void swapUpdated();
    // The first redo: the new members go where one-by-one insertion would put them.
    void placeNewMembers();

    std::vector<KImportChanges::NewField> m_fields;
    std::vector<std::size_t> m_tabOfField; // the tab's place in the tab list, or npos
    std::vector<std::string> m_types;
    std::size_t m_typesBefore = 0;
    std::vector<std::pair<std::int32_t, KMember>> m_others; // the contents not in the document
    std::vector<std::unique_ptr<KMember>> m_new;            // before the first redo
    std::vector<std::pair<std::size_t, std::unique_ptr<KMember>>> m_out; // undone, with places
    std::unordered_set<const KMember*> m_added;
    std::vector<std::int32_t> m_addedIds;
    std::vector<std::int32_t> m_updatedIds;
    bool m_placed = false;
};
