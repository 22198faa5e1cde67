#include "core/config/KTabNames.h"

#include "platform/CodePage.h"

#include <algorithm>
#include <unordered_set>

namespace KTabNames {

namespace {
bool validRow(const std::vector<std::string>& names, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < names.size();
}
} // namespace

std::vector<std::string> byPosition(const KTabList& tabs) {
    std::vector<std::string> names;
    const auto count = static_cast<std::int32_t>(tabs.size());
    for (std::int32_t p = 0; p < count; ++p)
        if (const KTabDef* tab =
                tabs.findFirst([p](const KTabDef& t) { return t.position() == p; }))
            names.push_back(tab->name());
    return names;
}

KTabList applied(const KTabList& tabs, const std::vector<std::string>& names) {
    KTabList result = tabs;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto position = static_cast<std::int32_t>(i);
        if (KTabDef* tab =
                result.findFirst([&](const KTabDef& t) { return t.name() == names[i]; }))
            tab->setPosition(position);
        else
            result.insert(KTabDef(names[i], position));
    }
    const std::unordered_set<std::string> listed(names.begin(), names.end());
    result.takeWhere([&](const KTabDef& t) { return listed.count(t.name()) == 0; });
    return result;
}

KResult add(std::vector<std::string>& names, const std::string& name) {
    if (name.empty() || std::find(names.begin(), names.end(), name) != names.end())
        return KResult::nothingToDo();
    names.push_back(name);
    return KResult::done();
}

KResult change(std::vector<std::string>& names, int selected, const std::string& name) {
    if (name.empty() || !validRow(names, selected))
        return KResult::nothingToDo();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (static_cast<int>(i) != selected && names[i] == name)
            return KResult::failed(duplicateMessage(name));
    names.erase(names.begin() + selected);
    names.push_back(name);
    return KResult::done();
}

KResult remove(std::vector<std::string>& names, int selected) {
    if (!validRow(names, selected))
        return KResult::nothingToDo();
    names.erase(names.begin() + selected);
    return KResult::done();
}

QString duplicateMessage(const std::string& name) {
    return QStringLiteral("Er staat al een rubriek \"%1\" in de lijst. Kies een andere naam.")
        .arg(CodePage::toQString(name));
}

} // namespace KTabNames
