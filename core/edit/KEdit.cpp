#include "core/edit/KEdit.h"

#include "core/edit/ConfigCommands.h"
#include "core/edit/ImportCommands.h"
#include "core/edit/MemberCommands.h"
#include "core/edit/SchemeCommands.h"

namespace KEdit {

void addMember(CKorvelDoc& doc, const KMember& member) {
    auto copy = std::make_unique<KMember>(member);
    copy->setId(member.id());
    doc.undoStack().push(new KAddMemberCommand(doc, std::move(copy)));
}

bool replaceMember(CKorvelDoc& doc, std::int32_t id, const KMember& contents) {
    if (!doc.findMember(id))
        return false;
    doc.undoStack().push(new KReplaceMemberCommand(doc, id, contents));
    return true;
}

std::size_t replaceMembers(CKorvelDoc& doc, const QString& text,
                           std::vector<std::pair<std::int32_t, KMember>> contents) {
    std::erase_if(contents, [&doc](const auto& entry) { return !doc.findMember(entry.first); });
    if (contents.empty())
        return 0;
    const std::size_t count = contents.size();
    doc.undoStack().push(new KReplaceMembersCommand(doc, text, std::move(contents)));
    return count;
}

std::size_t deleteMembers(CKorvelDoc& doc, std::vector<std::int32_t> ids) {
    auto* command = new KDeleteMembersCommand(doc, std::move(ids));
    doc.undoStack().push(command);
    return command->removedCount();
}

bool importMembers(CKorvelDoc& doc, KImportChanges changes) {
    std::erase_if(changes.updated,
                  [&doc](const auto& entry) { return !doc.findMember(entry.first); });
    if (changes.empty())
        return false;
    doc.undoStack().push(new KImportMembersCommand(doc, std::move(changes)));
    return true;
}

void addScheme(CKorvelDoc& doc, const KContribution& scheme) {
    doc.undoStack().push(new KAddSchemeCommand(doc, std::make_unique<KContribution>(scheme)));
}

bool replaceScheme(CKorvelDoc& doc, std::int32_t id, const KContribution& contents,
                   bool carryThrough) {
    if (!doc.findSchemeById(id))
        return false;
    doc.undoStack().push(new KReplaceSchemeCommand(doc, id, contents, carryThrough));
    return true;
}

bool deleteScheme(CKorvelDoc& doc, std::int32_t id, bool removeCharges) {
    if (!doc.findSchemeById(id))
        return false;
    doc.undoStack().push(new KDeleteSchemeCommand(doc, id, removeCharges));
    return true;
}

std::optional<double> applyScheme(CKorvelDoc& doc, std::int32_t schemeId,
                                  std::vector<std::int32_t> memberIds,
                                  KProgressReport* progress) {
    const KContribution* scheme = doc.findSchemeById(schemeId);
    if (!scheme)
        return std::nullopt;
    auto command = std::make_unique<KApplySchemeCommand>(doc, *scheme, std::move(memberIds));
    if (!command->perform(progress))
        return std::nullopt;
    const double total = command->total();
    doc.undoStack().push(command.release());
    return total;
}

void replaceFields(CKorvelDoc& doc, const KFieldList& fields, const KTabList& tabs) {
    doc.undoStack().push(new KReplaceFieldsCommand(doc, fields, tabs));
}

void replaceTabs(CKorvelDoc& doc, const KTabList& tabs) {
    doc.undoStack().push(new KReplaceTabsCommand(doc, tabs));
}

void replaceMemberTypes(CKorvelDoc& doc, std::vector<std::string> memberTypes,
                        std::vector<std::pair<std::int32_t, std::string>> memberTexts) {
    doc.undoStack().push(
        new KReplaceMemberTypesCommand(doc, std::move(memberTypes), std::move(memberTexts)));
}

} // namespace KEdit
