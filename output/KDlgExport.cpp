#include "output/KDlgExport.h"

#include "platform/CodePage.h"
#include "view/KDialogButtons.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The manual knows the dialog by its template number.
constexpr unsigned kTemplate = 149;

} // namespace

KDlgExport::KDlgExport(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Exporteren"));
    build();
}

void KDlgExport::build() {
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* label = new QLabel(QStringLiteral("&Velden:"), this);
    m_list = new QListWidget(this);
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    m_list->setMinimumSize(220, 240);
    label->setBuddy(m_list);
    m_parts = new QCheckBox(QStringLiteral("&Schuldonderdelen"), this);
    m_parts->setToolTip(
        QStringLiteral("Zet achter elk lid wat het nog schuldig is per contributieonderdeel"));
    // Shown and hidden with "Schuld"; the dialog keeps its size meanwhile.
    QSizePolicy keepRoom = m_parts->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    m_parts->setSizePolicy(keepRoom);
    left->addWidget(label);
    left->addWidget(m_list, 1);
    left->addWidget(m_parts);
    layout->addLayout(left, 1);

    KDialogButtons::Options options;
    options.acceptText = QStringLiteral("&Exporteren");
    options.orientation = Qt::Vertical;
    auto* buttons = new KDialogButtons(*this, KHelpContext::window(kTemplate), options);
    m_export = buttons->ok();
    layout->addWidget(buttons);

    connect(m_list, &QListWidget::itemSelectionChanged, this, &KDlgExport::selectionChanged);
}

void KDlgExport::setItems(const std::vector<std::string>& items) {
    m_items = items;
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const std::string& item : items)
        m_list->addItem(CodePage::toQString(item));
    m_list->selectAll();
    // Room for every column title of a usual column list without scrolling.
    const int rows = std::clamp(m_list->count(), 10, 22);
    m_list->setMinimumHeight(rows * std::max(1, m_list->sizeHintForRow(0)) + 2 * m_list->frameWidth());
    m_parts->setChecked(false);
    selectionChanged();
}

MemberExport::Choice KDlgExport::choice() const {
    MemberExport::Choice choice;
    choice.items = m_items;
    for (int row = 0; row < m_list->count(); ++row)
        choice.selected.push_back(m_list->item(row)->isSelected());
    choice.splitParts = m_parts->isChecked();
    return choice;
}

void KDlgExport::selectionChanged() {
    const MemberExport::Choice now = choice();
    m_parts->setVisible(MemberExport::offersParts(now.items, now.selected));
}

void KDlgExport::accept() {
    if (m_exporter && !m_exporter(choice()))
        return; // cancelled or failed: the user may try again
    QDialog::accept();
}
