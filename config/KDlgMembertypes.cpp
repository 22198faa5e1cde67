#include "config/KDlgMembertypes.h"

#include "config/KDragList.h"
#include "core/KQuestions.h"
#include "core/config/KMemberTypes.h"

KDlgMembertypes::KDlgMembertypes(KQuestions& questions, QWidget* parent)
    : KNameListDialog(questions,
                      {QStringLiteral("Soorten leden"), QStringLiteral("Soort lid"), 0, 174},
                      parent) {}

void KDlgMembertypes::addName() {
    std::vector<std::string> names = this->names();
    const int selected = list()->selectedRow();
    switch (KMemberTypes::add(names, typedName())) {
    case KMemberTypes::Edit::Done:
        showNames(names, selected);
        break;
    case KMemberTypes::Edit::Empty:
        m_questions.alert(KMemberTypes::emptyNameMessage());
        break;
    default:
        break;
    }
}

void KDlgMembertypes::changeName() {
    std::vector<std::string> names = this->names();
    const int selected = list()->selectedRow();
    switch (KMemberTypes::change(names, selected, typedName())) {
    case KMemberTypes::Edit::Done:
        showNames(names, selected);
        break;
    case KMemberTypes::Edit::Empty:
        m_questions.alert(KMemberTypes::emptyNameMessage());
        break;
    default:
        break;
    }
}

void KDlgMembertypes::deleteName() {
    std::vector<std::string> names = this->names();
    if (KMemberTypes::remove(names, list()->selectedRow()) == KMemberTypes::Edit::Done)
        showNames(names);
}
