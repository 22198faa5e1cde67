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
    const KResult added = KMemberTypes::add(names, typedName());
    if (added)
        showNames(names, selected);
    else if (added.isFailed())
        m_questions.alert(added.reason());
}

void KDlgMembertypes::changeName() {
    std::vector<std::string> names = this->names();
    const int selected = list()->selectedRow();
    const KResult changed = KMemberTypes::change(names, selected, typedName());
    if (changed)
        showNames(names, selected);
    else if (changed.isFailed())
        m_questions.alert(changed.reason());
}

void KDlgMembertypes::deleteName() {
    std::vector<std::string> names = this->names();
    if (KMemberTypes::remove(names, list()->selectedRow()))
        showNames(names);
}
