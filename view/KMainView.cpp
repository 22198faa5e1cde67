#include "view/KMainView.h"

#include "core/document/CKorvelDoc.h"
#include "platform/CodePage.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

KMainView::KMainView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_caption = new QLabel(QStringLiteral("Leden"), this);
    m_caption->setContentsMargins(4, 2, 4, 2);
    m_list = new QListWidget(this);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_caption);
    layout->addWidget(m_list, 1);
}

void KMainView::OnUpdate() {
    m_list->clear();
    if (!m_doc)
        return;
    QStringList names;
    for (const KMember& member : m_doc->members())
        names.append(CodePage::toQString(member.name()));
    m_list->addItems(names);
}

QStringList KMainView::shownNames() const {
    QStringList names;
    for (int i = 0; i < m_list->count(); ++i)
        names.append(m_list->item(i)->text());
    return names;
}
