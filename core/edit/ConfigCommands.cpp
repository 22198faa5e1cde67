#include "core/edit/ConfigCommands.h"

#include <algorithm>
#include <unordered_set>

namespace {

// A new list of copies, inserted one by one in the given order: ordered again after a rename.
template <class T> KSortedList<T> reordered(const KSortedList<T>& given) {
    KSortedList<T> list;
    for (const T& item : given)
        list.insert(item);
    return list;
}

} // namespace

KReplaceFieldsCommand::KReplaceFieldsCommand(CKorvelDoc& doc, const KFieldList& fields,
                                             const KTabList& tabs)
    : KEditCommand(doc, QStringLiteral("velden wijzigen")), m_fields(reordered(fields)),
      m_tabs(reordered(tabs)) {}

void KReplaceFieldsCommand::redo() {
    std::swap(fields(), m_fields);
    std::swap(tabs(), m_tabs);
    // m_fields now holds the old definitions.
    m_oldById.clear();
    for (const KField& old : m_fields)
        m_oldById.emplace(old.id(), &old);
    m_steps.clear();
    for (KMember& m : members())
        bringInStep(m);
    tellConfiguration();
}

void KReplaceFieldsCommand::undo() {
    for (auto it = m_steps.rbegin(); it != m_steps.rend(); ++it)
        undoStep(*it);
    m_steps.clear();
    std::swap(fields(), m_fields);
    std::swap(tabs(), m_tabs);
    tellConfiguration();
}

void KReplaceFieldsCommand::bringInStep(KMember& member) {
    // A member that held no values at all gets them as a new member does: its dates empty.
    const bool heldNone = member.values().empty();
    MemberStep step{member.id(), {}, {}, {}, {}};
    const KFieldList& defs = fields();

    std::unordered_set<std::int32_t> ids;
    for (const KField& def : defs)
        ids.insert(def.id());
    step.removed =
        member.values().takeWhere([&](const KField& v) { return ids.count(v.id()) == 0; });

    for (const KField& def : defs) {
        if (!member.valueById(def.id())) {
            KField value = def;
            if (heldNone && value.type() == FieldType::Date)
                value.setDate(KDateValue(0));
            member.values().insert(std::move(value));
            step.added.push_back(def.id());
        }
    }

    for (const KField& def : defs) {
        KField* value = member.valueById(def.id());
        if (!value)
            continue;
        if (value->label() == def.label() && value->meaning() == def.meaning() &&
            value->type() == def.type())
            continue;
        const auto old = m_oldById.find(def.id());
        const bool onlyRelabelled = value->type() == def.type() && old != m_oldById.end() &&
                                    value->label() == old->second->label() &&
                                    value->meaning() == old->second->meaning();
        if (onlyRelabelled)
            step.relabelled.push_back(def.id());
        else
            step.converted.push_back(*value);
        value->setLabel(def.label());
        value->setMeaning(def.meaning());
        value->changeType(def.type());
    }

    if (!step.removed.empty() || !step.added.empty() || !step.relabelled.empty() ||
        !step.converted.empty())
        m_steps.push_back(std::move(step));
}

void KReplaceFieldsCommand::undoStep(MemberStep& step) {
    KMember* m = member(step.member);
    if (!m)
        return;
    for (std::int32_t id : step.relabelled) {
        KField* value = m->valueById(id);
        const KField* old = m_oldById.at(id);
        value->setLabel(old->label());
        value->setMeaning(old->meaning());
    }
    for (const KField& before : step.converted)
        *m->valueById(before.id()) = before;
    for (auto it = step.added.rbegin(); it != step.added.rend(); ++it)
        m->values().removeFirst([id = *it](const KField& v) { return v.id() == id; });
    m->values().putBack(std::move(step.removed));
}

KReplaceTabsCommand::KReplaceTabsCommand(CKorvelDoc& doc, const KTabList& tabs)
    : KEditCommand(doc, QStringLiteral("rubrieken wijzigen")), m_tabs(tabs) {}

void KReplaceTabsCommand::redo() {
    std::swap(tabs(), m_tabs);
    tellConfiguration();
}

void KReplaceTabsCommand::undo() {
    redo();
}

KReplaceMemberTypesCommand::KReplaceMemberTypesCommand(
    CKorvelDoc& doc, std::vector<std::string> memberTypes,
    std::vector<std::pair<std::int32_t, std::string>> memberTexts)
    : KEditCommand(doc, QStringLiteral("soorten leden wijzigen")),
      m_types(std::move(memberTypes)), m_texts(std::move(memberTexts)) {}

void KReplaceMemberTypesCommand::swapTexts() {
    KMemberChange change;
    for (auto& [id, text] : m_texts) {
        KMember* m = member(id);
        if (!m)
            continue;
        KField* value = m->valueByMeaning(FieldMeaning::MemberType);
        if (!value || value->type() != FieldType::Text)
            continue;
        std::string before = value->text();
        value->setText(std::move(text));
        text = std::move(before);
        change.changed.push_back(id);
    }
    tellMembers(change);
}

void KReplaceMemberTypesCommand::redo() {
    std::swap(memberTypes(), m_types);
    tellConfiguration();
    swapTexts();
}

void KReplaceMemberTypesCommand::undo() {
    // A member listed twice gets its texts back in the opposite order.
    std::reverse(m_texts.begin(), m_texts.end());
    swapTexts();
    std::reverse(m_texts.begin(), m_texts.end());
    std::swap(memberTypes(), m_types);
    tellConfiguration();
}
