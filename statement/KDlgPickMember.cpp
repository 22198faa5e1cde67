#include "statement/KDlgPickMember.h"

#include "res/Commands.h"
#include "view/KDialogButtons.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QVBoxLayout>

KDlgPickMember::KDlgPickMember(std::vector<KStatementReview::Choice> choices, const QString& about,
                               QWidget* parent)
    : QDialog(parent), m_choices(std::move(choices)) {
    setWindowTitle(QStringLiteral("Lid kiezen"));
    auto* layout = new QVBoxLayout(this);
    auto* aboutLabel = new QLabel(about, this);
    aboutLabel->setWordWrap(true);
    layout->addWidget(aboutLabel);

    auto* form = new QFormLayout;
    m_filter = new QLineEdit(this);
    m_filter->setClearButtonEnabled(true);
    form->addRow(QStringLiteral("&Zoek:"), m_filter);
    layout->addLayout(form);

    QStringList names;
    names.reserve(static_cast<qsizetype>(m_choices.size()));
    for (const KStatementReview::Choice& choice : m_choices)
        names.push_back(choice.text);
    m_names = new QStringListModel(names, this);
    m_shown = new QSortFilterProxyModel(this);
    m_shown->setSourceModel(m_names);
    m_shown->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_list = new QListView(this);
    m_list->setModel(m_shown);
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setMinimumSize(320, 300);
    layout->addWidget(m_list, 1);

    KDialogButtons::Options options;
    options.helpButton = false;
    auto* buttons = new KDialogButtons(*this, KHelpContext::command(Cmd::ContrStatement), options);
    QPushButton* ok = buttons->ok();
    layout->addWidget(buttons);

    auto current = [this, ok] { ok->setEnabled(m_list->currentIndex().isValid()); };
    connect(m_filter, &QLineEdit::textChanged, this, [this, current](const QString& text) {
        m_shown->setFilterFixedString(text);
        if (m_shown->rowCount() > 0)
            m_list->setCurrentIndex(m_shown->index(0, 0));
        current();
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this, current);
    connect(m_list, &QListView::doubleClicked, this, &QDialog::accept);
    if (m_shown->rowCount() > 0)
        m_list->setCurrentIndex(m_shown->index(0, 0));
    current();
    m_filter->setFocus();
}

std::int32_t KDlgPickMember::chosen() const {
    const QModelIndex index = m_shown->mapToSource(m_list->currentIndex());
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= m_choices.size())
        return 0;
    return m_choices[static_cast<std::size_t>(index.row())].member;
}
