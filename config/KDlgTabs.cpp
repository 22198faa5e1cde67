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
    if (KTabNames::add(names, typedName()) == KTabNames::Edit::Done)
        showNames(names, selected);
}

void KDlgTabs::changeName() {
    std::vector<std::string> names = this->names();
    const std::string name = typedName();
    switch (KTabNames::change(names, list()->selectedRow(), name)) {
    case KTabNames::Edit::Done:
        showNames(names);
        break;
    case KTabNames::Edit::Duplicate:
        m_questions.alert(KTabNames::duplicateMessage(name));
        break;
    default:
        break;
    }
}

void KDlgTabs::deleteName() {
    std::vector<std::string> names = this->names();
    if (KTabNames::remove(names, list()->selectedRow()) == KTabNames::Edit::Done)
        showNames(names);
}
