#include "config/KDlgTabs.h"

#include "config/KDragList.h"
#include "core/KQuestions.h"
#include "core/config/KTabNames.h"

KDlgTabs::KDlgTabs(KQuestions& questions, QWidget* parent)
    : KNameListDialog(questions,
                      {QStringLiteral("Rubrieken"), QStringLiteral("Naam van de rubriek"), 1, 172},
                      parent) {}

void KDlgTabs::addName() {
    std::vector<std::string> names = this->names();
    const int selected = list()->selectedRow();
    if (KTabNames::add(names, typedName()))
        showNames(names, selected);
}

void KDlgTabs::changeName() {
    std::vector<std::string> names = this->names();
    const KResult changed = KTabNames::change(names, list()->selectedRow(), typedName());
    if (changed)
        showNames(names);
    else if (changed.isFailed())
        m_questions.alert(changed.reason());
}

void KDlgTabs::deleteName() {
    std::vector<std::string> names = this->names();
    if (KTabNames::remove(names, list()->selectedRow()))
        showNames(names);
}
