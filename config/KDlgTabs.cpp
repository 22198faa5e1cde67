#include "config/KDlgTabs.h"

#include "config/KDragList.h"
#include "core/KQuestions.h"

KDlgTabs::KDlgTabs(KQuestions& questions, QWidget* parent)
    : KNameListDialog(questions,
                      {QStringLiteral("Rubrieken"), QStringLiteral("Naam van de rubriek"), 1, 172},
                      parent) {}

void KDlgTabs::setEntries(const KTabNames::Entries& entries) {
    showEntries(entries);
}

KTabNames::Entries KDlgTabs::entries() const {
    // The item's id is the place of its tab, one up, so that 0 stays "no tab".
    const std::vector<std::string> names = this->names();
    const std::vector<std::int32_t> ids = list()->ids();
    KTabNames::Entries entries;
    for (std::size_t i = 0; i < names.size() && i < ids.size(); ++i)
        entries.push_back({names[i], ids[i] - 1});
    return entries;
}

void KDlgTabs::showEntries(const KTabNames::Entries& entries, std::optional<int> selectRow) {
    std::vector<std::pair<std::string, std::int32_t>> items;
    for (const KTabNames::Entry& entry : entries)
        items.emplace_back(entry.name, entry.tab + 1);
    list()->setItems(items);
    if (selectRow)
        list()->selectRow(*selectRow);
}

void KDlgTabs::addName() {
    KTabNames::Entries entries = this->entries();
    const int selected = list()->selectedRow();
    if (KTabNames::add(entries, typedName()) == KTabNames::Edit::Done)
        showEntries(entries, selected);
}

void KDlgTabs::changeName() {
    KTabNames::Entries entries = this->entries();
    const std::string name = typedName();
    const int selected = list()->selectedRow();
    switch (KTabNames::change(entries, selected, name)) {
    case KTabNames::Edit::Done:
        showEntries(entries, selected);
        break;
    case KTabNames::Edit::Duplicate:
        m_questions.alert(KTabNames::duplicateMessage(name));
        break;
    default:
        break;
    }
}

void KDlgTabs::deleteName() {
    KTabNames::Entries entries = this->entries();
    if (KTabNames::remove(entries, list()->selectedRow()) == KTabNames::Edit::Done)
        showEntries(entries);
}
