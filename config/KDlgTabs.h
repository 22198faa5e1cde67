#pragma once

#include "config/KNameListDialog.h"
#include "core/config/KTabNames.h"

// "Rubrieken": the names of the tabs in their order. Each item stays the tab it was made from,
// so "<--> Wijzigen" renames the tab in its place, with its fields. A change that would make a
// name twice is refused, since two items of one name could not be told apart.
class KDlgTabs : public KNameListDialog {
    Q_OBJECT

public:
    explicit KDlgTabs(KQuestions& questions, QWidget* parent = nullptr);

    void setEntries(const KTabNames::Entries& entries);
    // The items listed, top to bottom.
    KTabNames::Entries entries() const;

private:
    void addName() override;
    void changeName() override;
    void deleteName() override;
    void showEntries(const KTabNames::Entries& entries, std::optional<int> selectRow = {});
};
