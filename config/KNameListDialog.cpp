#include "config/KNameListDialog.h"

#include "config/KDragList.h"
#include "platform/CodePage.h"
#include "view/KCodePageValidator.h"
#include "view/KDialogButtons.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

KNameListDialog::KNameListDialog(KQuestions& questions, const Look& look, QWidget* parent)
    : QDialog(parent), m_questions(questions) {
    setWindowTitle(look.title);
    m_list = new KDragList(this);
    m_add = new QPushButton(QStringLiteral("<-- Toevoegen"), this);
    m_change = new QPushButton(QStringLiteral("<--> Wijzigen"), this);
    m_delete = new QPushButton(QStringLiteral("--> Verwijderen"), this);
    m_name = new QLineEdit(this);
    KCodePageValidator::attach(m_name);
    m_name->setAccessibleName(look.nameLabel);

    auto* grid = new QGridLayout;
    grid->addWidget(m_list, 0, 0, 4, 1);
    grid->addWidget(m_add, 0, 1);
    grid->addWidget(m_change, 1, 1);
    grid->addWidget(m_delete, 2, 1);
    grid->addWidget(m_name, look.nameRow, 2);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnMinimumWidth(2, fontMetrics().horizontalAdvance(QLatin1Char('x')) * 20);

    auto* buttons = new KDialogButtons(*this, KHelpContext::window(look.templateId));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);

    connect(m_add, &QPushButton::clicked, this, [this] { addName(); });
    connect(m_change, &QPushButton::clicked, this, [this] { changeName(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteName(); });

    setTabOrder(m_list, m_name);
    setTabOrder(m_name, m_add);
    setTabOrder(m_add, m_change);
    setTabOrder(m_change, m_delete);
    setTabOrder(m_delete, buttons->ok());
}

void KNameListDialog::setNames(const std::vector<std::string>& names) {
    m_list->setTexts(names);
}

std::vector<std::string> KNameListDialog::names() const {
    return m_list->texts();
}

std::string KNameListDialog::typedName() const {
    return CodePage::fromQString(m_name->text());
}

void KNameListDialog::showNames(const std::vector<std::string>& names,
                                std::optional<int> selectRow) {
    m_list->setTexts(names);
    if (selectRow)
        m_list->selectRow(*selectRow);
}
