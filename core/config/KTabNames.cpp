#include "core/config/KTabNames.h"

#include "core/member/KMemberPages.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace KTabNames {

namespace {
bool validRow(const Entries& entries, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < entries.size();
}

bool listedAlready(const Entries& entries, const std::string& name, int except) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (static_cast<int>(i) != except && entries[i].name == name)
            return true;
    return false;
}
} // namespace

Entries listed(const KTabList& tabs) {
    Entries entries;
    for (const KTabDef* tab : KMemberPages::tabsInPageOrder(tabs)) {
        const auto place = std::find_if(tabs.begin(), tabs.end(),
                                        [tab](const KTabDef& t) { return &t == tab; });
        entries.push_back({tab->name(), static_cast<int>(std::distance(tabs.begin(), place))});
    }
    return entries;
}

bool changes(const KTabList& tabs, const Entries& entries) {
    return entries != listed(tabs);
}

KTabList applied(const KTabList& tabs, const Entries& entries) {
    // The tabs kept, in their list order, each with its new name and position.
    std::vector<int> positions(tabs.size(), -1);
    std::vector<const std::string*> names(tabs.size(), nullptr);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int tab = entries[i].tab;
        if (tab >= 0 && static_cast<std::size_t>(tab) < tabs.size() && positions[tab] < 0) {
            positions[tab] = static_cast<int>(i);
            names[tab] = &entries[i].name;
        }
    }
    // Inserted from the last to the first, so that tabs of one name keep their order.
    KTabList result;
    for (std::size_t t = tabs.size(); t-- > 0;) {
        if (positions[t] < 0)
            continue;
        KTabDef tab = tabs.at(t);
        tab.setName(*names[t]);
        tab.setPosition(positions[t]);
        result.insert(std::move(tab));
    }
    for (std::size_t i = entries.size(); i-- > 0;) {
        const int tab = entries[i].tab;
        if (tab < 0 || static_cast<std::size_t>(tab) >= tabs.size() ||
            positions[tab] != static_cast<int>(i))
            result.insert(KTabDef(entries[i].name, static_cast<std::int32_t>(i)));
    }
    return result;
}

Edit add(Entries& entries, const std::string& name) {
    if (name.empty() || listedAlready(entries, name, -1))
        return Edit::Nothing;
    entries.push_back({name, -1});
    return Edit::Done;
}

Edit change(Entries& entries, int selected, const std::string& name) {
    if (name.empty() || !validRow(entries, selected))
        return Edit::Nothing;
    if (listedAlready(entries, name, selected))
        return Edit::Duplicate;
    entries[static_cast<std::size_t>(selected)].name = name;
    return Edit::Done;
}

Edit remove(Entries& entries, int selected) {
    if (!validRow(entries, selected))
        return Edit::Nothing;
    entries.erase(entries.begin() + selected);
    return Edit::Done;
}

QString duplicateMessage(const std::string& name) {
    return QStringLiteral("Er staat al een rubriek \"%1\" in de lijst. Kies een andere naam.")
        .arg(CodePage::toQString(name));
}

} // namespace KTabNames
