#include "tolvex7/KSelectString.h"

#include "platform/CodePage.h"
#include "tolvex7/DialogGeometry.h"
#include "tolvex7/KHelpShow.h"
#include "tolvex7/ListContentSize.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The dialog's size before it grows for its items.
constexpr int kWidth = 266;
constexpr int kHeight = 302;

} // namespace

KSelectString::KSelectString(const std::vector<std::string>& items, const char* caption,
                             unsigned style, const char* helpFile, unsigned helpContext,
                             QWidget* parent)
    : QDialog(parent), m_items(items), m_helpFile(helpFile ? helpFile : ""),
      m_helpContext(helpContext), m_multiple((style & (kSelectExtended | kSelectMultiple)) != 0) {
    setWindowTitle(CodePage::toQString(caption ? caption : ""));
    auto* layout = new QVBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->setSelectionMode(style & kSelectExtended   ? QAbstractItemView::ExtendedSelection
                             : style & kSelectMultiple ? QAbstractItemView::MultiSelection
                                                       : QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setUniformItemSizes(true);
    for (const std::string& item : m_items)
        m_list->addItem(CodePage::toQString(item));
    layout->addWidget(m_list, 1);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Annuleren"), this);
    auto* helpButton = new QPushButton(QStringLiteral("&Help"), this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(helpButton);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    resize(kWidth, kHeight);

    connect(ok, &QPushButton::clicked, this, &KSelectString::accept);
    connect(cancel, &QPushButton::clicked, this, &KSelectString::reject);
    connect(helpButton, &QPushButton::clicked, this, &KSelectString::help);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &KSelectString::accept);
}

std::vector<std::string> KSelectString::chosen() const {
    std::vector<std::string> texts;
    for (int row : m_chosenRows)
        texts.push_back(m_items[static_cast<std::size_t>(row)]);
    return texts;
}

void KSelectString::accept() {
    m_chosenRows.clear();
    for (int row = 0; row < m_list->count(); ++row)
        if (m_list->item(row)->isSelected())
            m_chosenRows.push_back(row);
    if (!m_multiple && m_chosenRows.size() > 1)
        m_chosenRows.resize(1);
    QDialog::accept();
}

void KSelectString::help() {
    KHelpShow::openHelp(m_helpFile, m_helpContext);
}

void KSelectString::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        help();
        return;
    }
    QDialog::keyPressEvent(event);
}

void KSelectString::setVisible(bool visible) {
    // Sized before the dialog places itself, so that it is centred at its final size.
    if (visible && !m_fitted)
        fitToContents();
    QDialog::setVisible(visible);
}

void KSelectString::fitToContents() {
    m_fitted = true;
    ensurePolished();
    m_list->ensurePolished();
    const QSize content = listContentSize(*m_list);
    const QSize screen =
        this->screen() ? this->screen()->availableGeometry().size() : QSize(kWidth, kHeight);
    const int listWidth = DialogGeometry::selectListWidth(content.width(), screen.width());
    // Around the list: the dialog's margins; the buttons keep their own width.
    const QMargins margins = layout()->contentsMargins();
    const int width = std::max(
        {listWidth + margins.left() + margins.right(), layout()->minimumSize().width(), kWidth});
    resize(qMin(width, screen.width()), qMax(height(), kHeight));
}

std::unique_ptr<std::vector<std::string>> SelectString(const std::vector<std::string>* items,
                                                       const char* caption, unsigned style,
                                                       const char* helpFile, unsigned helpContext) {
    static const std::vector<std::string> none;
    KSelectString dialog(items ? *items : none, caption, style, helpFile, helpContext);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenRows().empty())
        return nullptr;
    return std::make_unique<std::vector<std::string>>(dialog.chosen());
}
