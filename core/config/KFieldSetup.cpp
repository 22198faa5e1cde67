#include "core/config/KFieldSetup.h"

#include <unordered_set>

namespace {

// Tabs placed at 999 or beyond are not candidates for the tab shown first.
constexpr std::int32_t kNoFirstTab = 999;

template <class T> KSortedList<T> insertedCopies(const KSortedList<T>& given) {
    KSortedList<T> list;
    for (const T& item : given)
        list.insert(item);
    return list;
}

} // namespace

QString KFieldSetup::message(Outcome outcome) {
    switch (outcome) {
    case Outcome::NoTab:
        return QStringLiteral("Selecteer eerst een tabblad");
    case Outcome::NoLabel:
        return QStringLiteral("Vul het label in");
    default:
        return {};
    }
}

KFieldSetup::KFieldSetup(const KFieldList& fields, const KTabList& tabs,
                         std::function<std::int32_t()> handOutId)
    : m_fields(insertedCopies(fields)), m_tabs(insertedCopies(tabs)),
      m_handOutId(std::move(handOutId)) {}

const KField* KFieldSetup::field(std::int32_t id) const {
    return m_fields.findFirst([id](const KField& f) { return f.id() == id; });
}

KField* KFieldSetup::mutableField(std::int32_t id) {
    return m_fields.findFirst([id](const KField& f) { return f.id() == id; });
}

std::vector<std::string> KFieldSetup::tabNames() const {
    std::vector<std::string> names;
    for (const KTabDef& tab : m_tabs)
        names.push_back(tab.name());
    return names;
}

std::vector<KFieldSetup::Item> KFieldSetup::unplacedItems() const {
    std::unordered_set<std::int32_t> placed;
    for (const KTabDef& tab : m_tabs)
        placed.insert(tab.fieldIds().begin(), tab.fieldIds().end());
    std::vector<Item> items;
    for (const KField& f : m_fields)
        if (!placed.count(f.id()))
            items.push_back({f.label(), f.id()});
    return items;
}

bool KFieldSetup::hasUnplaced() const {
    return !unplacedItems().empty();
}

std::vector<KFieldSetup::Item> KFieldSetup::showUnplaced(const std::vector<std::int32_t>& listIds) {
    keepOrder(listIds);
    // Their order belongs to no tab: nothing is written back from this list.
    m_shown = nullptr;
    m_items = unplacedItems();
    return m_items;
}

int KFieldSetup::initialTab() const {
    int best = -1;
    std::int32_t bestPosition = kNoFirstTab;
    int index = 0;
    for (const KTabDef& tab : m_tabs) {
        if (tab.position() < bestPosition) {
            bestPosition = tab.position();
            best = index;
        }
        ++index;
    }
    if (best < 0 && !m_tabs.empty())
        best = 0;
    return best;
}

const KTabDef* KFieldSetup::shownTab() const {
    return m_shown;
}

KTabDef* KFieldSetup::firstTabNamed(const std::optional<std::string>& name) {
    if (!name)
        return nullptr;
    return m_tabs.findFirst([&](const KTabDef& t) { return t.name() == *name; });
}

KTabDef* KFieldSetup::lastTabNamed(const std::optional<std::string>& name) {
    KTabDef* found = nullptr;
    if (name)
        for (KTabDef& tab : m_tabs)
            if (tab.name() == *name)
                found = &tab;
    return found;
}

void KFieldSetup::keepOrder(const std::vector<std::int32_t>& listIds) {
    if (!m_shown)
        return;
    while (m_shown->count() > 0)
        m_shown->removeFieldId(m_shown->fieldIds().back());
    for (std::int32_t id : listIds)
        m_shown->addFieldId(id);
}

std::vector<KFieldSetup::Item> KFieldSetup::showTab(const std::vector<std::int32_t>& listIds,
                                                   const std::optional<std::string>& name) {
    keepOrder(listIds);
    m_items.clear();
    // A list that shows no tab writes into none: its order belongs nowhere.
    m_shown = firstTabNamed(name);
    if (m_shown)
        for (std::int32_t id : m_shown->fieldIds())
            if (const KField* f = field(id))
                m_items.push_back({f->label(), id});
    return m_items;
}

KFieldSetup::Outcome KFieldSetup::showAfterAction(const Controls& c) {
    // The order was written back before the action; the list shows the tab anew.
    m_shown = nullptr;
    if (c.unplaced)
        showUnplaced({});
    else
        showTab({}, c.tab);
    return Outcome::Done;
}

// An action that stops leaves the shown tab as it is: the list still shows it, and a drag made
// after the refusal must still reach the tab on OK.

KFieldSetup::Outcome KFieldSetup::add(const Controls& c) {
    keepOrder(c.listIds);
    KTabDef* tab = c.unplaced ? nullptr : firstTabNamed(c.tab);
    if (!tab)
        return Outcome::NoTab;
    if (c.label.empty())
        return Outcome::NoLabel;
    const std::int32_t id = m_handOutId();
    m_fields.insert(KField(id, c.type, c.meaning, c.label));
    tab->addFieldId(id);
    return showAfterAction(c);
}

KFieldSetup::Outcome KFieldSetup::change(const Controls& c) {
    keepOrder(c.listIds);
    if (c.label.empty())
        return Outcome::NoLabel;
    if (!c.selected)
        return Outcome::Nothing;
    KField* old = mutableField(*c.selected);
    if (!old)
        return Outcome::Nothing;
    m_fields.removeItem(old);
    m_fields.insert(KField(*c.selected, c.type, c.meaning, c.label));
    return showAfterAction(c);
}

KFieldSetup::Outcome KFieldSetup::remove(const Controls& c) {
    keepOrder(c.listIds);
    if (!c.selected)
        return Outcome::Nothing;
    KField* f = mutableField(*c.selected);
    if (!f)
        return Outcome::Nothing;
    if (!c.unplaced) {
        KTabDef* tab = firstTabNamed(c.tab);
        if (!tab)
            return Outcome::NoTab;
        tab->removeFieldId(*c.selected);
    }
    m_fields.removeItem(f);
    return showAfterAction(c);
}

KFieldSetup::Outcome KFieldSetup::move(const Controls& c) {
    keepOrder(c.listIds);
    if (!c.selected || !field(*c.selected) || (!c.tab && !c.unplaced) || !c.target)
        return Outcome::Nothing;
    // With tabs of one name, both ends of a move are the last of that name. A field on no tab
    // comes from none.
    KTabDef* source = c.unplaced ? nullptr : lastTabNamed(c.tab);
    KTabDef* target = lastTabNamed(c.target);
    if ((!source && !c.unplaced) || !target)
        return Outcome::Nothing;
    if (source)
        source->removeFieldId(*c.selected);
    target->addFieldId(*c.selected);
    return showAfterAction(c);
}
