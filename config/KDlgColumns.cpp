#include "config/KDlgColumns.h"

#include "config/KDragList.h"
#include "platform/CodePage.h"
#include "view/KDialogButtons.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The manual knows the dialog by its template number.
constexpr unsigned kTemplate = 179;

std::vector<std::string> textsOf(const QListWidget* list) {
    std::vector<std::string> texts;
    for (int row = 0; row < list->count(); ++row)
        texts.push_back(CodePage::fromQString(list->item(row)->text()));
    return texts;
}

int selectedRowOf(const QListWidget* list) {
    const QList<QListWidgetItem*> chosen = list->selectedItems();
    return chosen.isEmpty() ? -1 : list->row(chosen.front());
}

} // namespace

KDlgColumns::KDlgColumns(QWidget* parent) : QDialog(parent) {
    build();
}

void KDlgColumns::build() {
    setWindowTitle(QStringLiteral("Kolommen"));
    m_shown = new KDragList(this);
    m_notShown = new QListWidget(this);
    m_notShown->setSelectionMode(QAbstractItemView::SingleSelection);
    m_show = new QPushButton(QStringLiteral("<<"), this);
    m_hide = new QPushButton(QStringLiteral(">>"), this);
    m_show->setToolTip(QStringLiteral("Tonen"));
    m_hide->setToolTip(QStringLiteral("Niet tonen"));
    auto* shownLabel = new QLabel(QStringLiteral("Getoonde informatie"), this);
    auto* notShownLabel = new QLabel(QStringLiteral("Niet getoonde informatie"), this);
    shownLabel->setBuddy(m_shown);
    notShownLabel->setBuddy(m_notShown);

    auto* arrows = new QVBoxLayout;
    arrows->addSpacing(fontMetrics().height());
    arrows->addWidget(m_show);
    arrows->addWidget(m_hide);
    arrows->addStretch(1);

    auto* grid = new QGridLayout;
    grid->addWidget(shownLabel, 0, 0);
    grid->addWidget(notShownLabel, 0, 2);
    grid->addWidget(m_shown, 1, 0);
    grid->addLayout(arrows, 1, 1);
    grid->addWidget(m_notShown, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    auto* buttons = new KDialogButtons(*this, KHelpContext::window(kTemplate));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);

    connect(m_show, &QPushButton::clicked, this, &KDlgColumns::showSelected);
    connect(m_hide, &QPushButton::clicked, this, &KDlgColumns::hideSelected);
    connect(m_notShown, &QListWidget::itemDoubleClicked, this, &KDlgColumns::showSelected);
    connect(m_shown, &QListWidget::itemDoubleClicked, this, &KDlgColumns::hideSelected);

    setTabOrder(m_shown, m_show);
    setTabOrder(m_show, m_hide);
    setTabOrder(m_hide, m_notShown);
    setTabOrder(m_notShown, buttons->ok());
}

void KDlgColumns::setChoice(const KColumnChoice& choice) {
    m_shown->setTexts(choice.shown);
    m_notShown->clear();
    for (const std::string& item : choice.notShown)
        m_notShown->addItem(CodePage::toQString(item));
}

KColumnChoice KDlgColumns::choice() const {
    return {m_shown->texts(), textsOf(m_notShown)};
}

void KDlgColumns::showSelected() {
    const int row = selectedRowOf(m_notShown);
    if (row < 0)
        return;
    QListWidgetItem* item = m_notShown->takeItem(row);
    const std::string text = CodePage::fromQString(item->text());
    delete item;
    m_shown->appendItem(text);
}

void KDlgColumns::hideSelected() {
    const int row = m_shown->selectedRow();
    if (row < 0)
        return;
    QListWidgetItem* item = m_shown->takeItem(row);
    const std::string text = CodePage::fromQString(item->text());
    delete item;
    const auto place = KColumnChoice::sortedPlace(textsOf(m_notShown), text);
    m_notShown->insertItem(static_cast<int>(place), CodePage::toQString(text));
}
