#pragma once

#include "core/edit/KEditCommand.h"

#include <memory>
#include <unordered_map>
#include <utility>

// Replaces the field list, and with it the tab list the fields dialog edited alongside, and
// brings every member's values in step: values of fields that are gone are removed, a field a
// member has no value for is added with its default, and every value takes its field's label
// and meaning and is converted to its type. Members without any value are left alone. The
// record for undo holds only what cannot be worked out again: removed values, converted values,
// and the ids of values that were only relabelled.
class KReplaceFieldsCommand : public KEditCommand {
public:
    // The new lists are made of copies of the given ones, inserted in the given order, so they
    // are in field and tab order again after a rename.
    KReplaceFieldsCommand(CKorvelDoc& doc, const KFieldList& fields, const KTabList& tabs);
    void redo() override;
    void undo() override;

private:
    struct MemberStep {
        std::int32_t member;
        std::vector<std::pair<std::size_t, std::unique_ptr<KField>>> removed;
        std::vector<std::int32_t> added;
        std::vector<std::int32_t> relabelled;
        std::vector<KField> converted; // the values before, whole
    };
    void bringInStep(KMember& member);
    void undoStep(MemberStep& step, const KMemberAccess& members);

    KFieldList m_fields; // the list not in the document
    KTabList m_tabs;
    std::vector<MemberStep> m_steps;
    std::unordered_map<std::int32_t, const KField*> m_oldById;
};

// Replaces the tab list by copies of the given tabs, in the given order: the tabs dialog changes
// the list in place, so tabs of one name stay in the order they had.
class KReplaceTabsCommand : public KEditCommand {
public:
    KReplaceTabsCommand(CKorvelDoc& doc, const KTabList& tabs);
    void redo() override;
    void undo() override;

private:
    KTabList m_tabs;
};

// Replaces the member types and gives the members whose type vanished the type the user chose:
// the Text value with the meaning "Soort lid" of each member listed takes the text given.
class KReplaceMemberTypesCommand : public KEditCommand {
public:
    KReplaceMemberTypesCommand(CKorvelDoc& doc, std::vector<std::string> memberTypes,
                               std::vector<std::pair<std::int32_t, std::string>> memberTexts);
    void redo() override;
    void undo() override;

private:
    void swapTexts();

    std::vector<std::string> m_types;
    std::vector<std::pair<std::int32_t, std::string>> m_texts;
};
