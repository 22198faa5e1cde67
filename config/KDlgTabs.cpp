#include "config/KDlgTabs.h"

#include "config/KDialogButtons.h"
#include "config/KDragList.h"
#include "core/KQuestions.h"
#include "core/config/KTabNames.h"
#include "platform/CodePage.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr unsigned kTemplate = 172;
} // namespace

KDlgTabs::KDlgTabs(KQuestions& questions, QWidget* parent)
    : QDialog(parent), m_questions(questions) {
    build();
}

void KDlgTabs::build() {
    setWindowTitle(QStringLiteral("Rubrieken"));
    m_list = new KDragList(this);
    m_add = new QPushButton(QStringLiteral("<-- Toevoegen"), this);
    m_change = new QPushButton(QStringLiteral("<--> Wijzigen"), this);
    m_delete = new QPushButton(QStringLiteral("--> Verwijderen"), this);
    m_name = new QLineEdit(this);
    m_name->setAccessibleName(QStringLiteral("Naam van de rubriek"));

    auto* grid = new QGridLayout;
    grid->addWidget(m_list, 0, 0, 4, 1);
    grid->addWidget(m_add, 0, 1);
    grid->addWidget(m_change, 1, 1);
    grid->addWidget(m_name, 1, 2);
    grid->addWidget(m_delete, 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnMinimumWidth(2, fontMetrics().horizontalAdvance(QLatin1Char('x')) * 20);

    auto* buttons = new KDialogButtons(this, kTemplate);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);

    connect(m_add, &QPushButton::clicked, this, &KDlgTabs::addName);
    connect(m_change, &QPushButton::clicked, this, &KDlgTabs::changeName);
    connect(m_delete, &QPushButton::clicked, this, &KDlgTabs::deleteName);

    setTabOrder(m_list, m_name);
    setTabOrder(m_name, m_add);
    setTabOrder(m_add, m_change);
    setTabOrder(m_change, m_delete);
    setTabOrder(m_delete, buttons->ok());
}

void KDlgTabs::setNames(const std::vector<std::string>& names) {
    m_list->setTexts(names);
}

std::vector<std::string> KDlgTabs::names() const {
    return m_list->texts();
}

void KDlgTabs::addName() {
    std::vector<std::string> names = m_list->texts();
    const int selected = m_list->selectedRow();
    if (KTabNames::add(names, CodePage::fromQString(m_name->text())) == KTabNames::Edit::Done) {
        m_list->setTexts(names);
        m_list->selectRow(selected);
    }
}

void KDlgTabs::changeName() {
    std::vector<std::string> names = m_list->texts();
    const std::string name = CodePage::fromQString(m_name->text());
    switch (KTabNames::change(names, m_list->selectedRow(), name)) {
    case KTabNames::Edit::Done:
        m_list->setTexts(names);
        break;
    case KTabNames::Edit::Duplicate:
        m_questions.alert(KTabNames::duplicateMessage(name));
        break;
    default:
        break;
    }
}

void KDlgTabs::deleteName() {
    std::vector<std::string> names = m_list->texts();
    if (KTabNames::remove(names, m_list->selectedRow()) == KTabNames::Edit::Done)
        m_list->setTexts(names);
}
