#include "config/KDlgMembertypes.h"

#include "config/KDialogButtons.h"
#include "config/KDragList.h"
#include "core/KQuestions.h"
#include "core/config/KMemberTypes.h"
#include "platform/CodePage.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr unsigned kTemplate = 174;
} // namespace

KDlgMembertypes::KDlgMembertypes(KQuestions& questions, QWidget* parent)
    : QDialog(parent), m_questions(questions) {
    build();
}

void KDlgMembertypes::build() {
    setWindowTitle(QStringLiteral("Soorten leden"));
    m_list = new KDragList(this);
    m_add = new QPushButton(QStringLiteral("<-- Toevoegen"), this);
    m_change = new QPushButton(QStringLiteral("<--> Wijzigen"), this);
    m_delete = new QPushButton(QStringLiteral("--> Verwijderen"), this);
    m_name = new QLineEdit(this);
    m_name->setAccessibleName(QStringLiteral("Soort lid"));

    auto* grid = new QGridLayout;
    grid->addWidget(m_list, 0, 0, 4, 1);
    grid->addWidget(m_add, 0, 1);
    grid->addWidget(m_name, 0, 2);
    grid->addWidget(m_change, 1, 1);
    grid->addWidget(m_delete, 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnMinimumWidth(2, fontMetrics().horizontalAdvance(QLatin1Char('x')) * 20);

    auto* buttons = new KDialogButtons(this, kTemplate);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);

    connect(m_add, &QPushButton::clicked, this, &KDlgMembertypes::addName);
    connect(m_change, &QPushButton::clicked, this, &KDlgMembertypes::changeName);
    connect(m_delete, &QPushButton::clicked, this, &KDlgMembertypes::deleteName);

    setTabOrder(m_list, m_name);
    setTabOrder(m_name, m_add);
    setTabOrder(m_add, m_change);
    setTabOrder(m_change, m_delete);
    setTabOrder(m_delete, buttons->ok());
}

void KDlgMembertypes::setNames(const std::vector<std::string>& names) {
    m_list->setTexts(names);
}

std::vector<std::string> KDlgMembertypes::names() const {
    return m_list->texts();
}

void KDlgMembertypes::addName() {
    std::vector<std::string> names = m_list->texts();
    const int selected = m_list->selectedRow();
    switch (KMemberTypes::add(names, CodePage::fromQString(m_name->text()))) {
    case KMemberTypes::Edit::Done:
        m_list->setTexts(names);
        m_list->selectRow(selected);
        break;
    case KMemberTypes::Edit::Empty:
        m_questions.alert(KMemberTypes::emptyNameMessage());
        break;
    default:
        break;
    }
}

void KDlgMembertypes::changeName() {
    std::vector<std::string> names = m_list->texts();
    const int selected = m_list->selectedRow();
    switch (KMemberTypes::change(names, selected, CodePage::fromQString(m_name->text()))) {
    case KMemberTypes::Edit::Done:
        m_list->setTexts(names);
        m_list->selectRow(selected);
        break;
    case KMemberTypes::Edit::Empty:
        m_questions.alert(KMemberTypes::emptyNameMessage());
        break;
    default:
        break;
    }
}

void KDlgMembertypes::deleteName() {
    std::vector<std::string> names = m_list->texts();
    if (KMemberTypes::remove(names, m_list->selectedRow()) == KMemberTypes::Edit::Done)
        m_list->setTexts(names);
}
