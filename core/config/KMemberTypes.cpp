#include "core/config/KMemberTypes.h"

#include "core/KQuestions.h"
#include "core/document/CKorvelDoc.h"
#include "core/edit/KEdit.h"
#include "platform/CodePage.h"

#include <QStringList>

#include <algorithm>
#include <unordered_map>

namespace KMemberTypes {

namespace {
bool validRow(const std::vector<std::string>& names, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < names.size();
}
} // namespace

KResult add(std::vector<std::string>& names, const std::string& name) {
    if (name.empty())
        return KResult::failed(emptyNameMessage());
    names.push_back(name);
    return KResult::done();
}

KResult change(std::vector<std::string>& names, int selected, const std::string& name) {
    if (!validRow(names, selected))
        return KResult::nothingToDo();
    if (name.empty())
        return KResult::failed(emptyNameMessage());
    names[static_cast<std::size_t>(selected)] = name;
    return KResult::done();
}

KResult remove(std::vector<std::string>& names, int selected) {
    if (!validRow(names, selected))
        return KResult::nothingToDo();
    names.erase(names.begin() + selected);
    return KResult::done();
}

QString emptyNameMessage() {
    return QStringLiteral("Vul eerst een soort lid in.");
}

std::vector<std::pair<std::int32_t, std::string>> remap(const CKorvelDoc& doc,
                                                        const std::vector<std::string>& oldNames,
                                                        const std::vector<std::string>& newNames,
                                                        KQuestions& questions) {
    std::vector<std::pair<std::int32_t, std::string>> texts;
    if (oldNames.empty() || doc.members().empty())
        return texts;

    // Each old name by its first place; the new name it becomes, or -1 while unknown.
    std::unordered_map<std::string, std::size_t> oldIndex;
    for (std::size_t i = 0; i < oldNames.size(); ++i)
        oldIndex.emplace(oldNames[i], i);
    std::vector<int> mapped(oldNames.size(), -1);
    for (std::size_t i = 0; i < oldNames.size(); ++i) {
        const auto it = std::find(newNames.begin(), newNames.end(), oldNames[i]);
        if (it != newNames.end())
            mapped[i] = static_cast<int>(it - newNames.begin());
    }
    QStringList choices;
    for (const std::string& name : newNames)
        choices.append(CodePage::toQString(name));

    for (const KMember& member : doc.members()) {
        const std::string text = member.textByMeaning(FieldMeaning::MemberType);
        const auto old = oldIndex.find(text);
        if (old == oldIndex.end())
            continue;
        int& target = mapped[old->second];
        // With no names left there is nothing to choose: the member keeps its type, as after
        // a cancel.
        if (target < 0 && !choices.isEmpty()) {
            const std::vector<int> rows = questions.selectString(
                choices, QStringLiteral("Wijzig %1 in").arg(CodePage::toQString(text)), false);
            if (!rows.empty() && rows.front() >= 0 && rows.front() < choices.size())
                target = rows.front();
        }
        if (target < 0)
            continue;
        const std::string& chosen = newNames[static_cast<std::size_t>(target)];
        if (chosen != text)
            texts.emplace_back(member.id(), chosen);
    }
    return texts;
}

void apply(CKorvelDoc& doc, const std::vector<std::string>& newNames, KQuestions& questions) {
    const std::vector<std::string> oldNames = doc.memberTypes();
    KEdit::replaceMemberTypes(doc, newNames, remap(doc, oldNames, newNames, questions));
}

} // namespace KMemberTypes
