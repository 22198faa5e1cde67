#include "tolvex7/KSelectString.h"

#include "platform/CodePage.h"
#include "tolvex7/DialogGeometry.h"
#include "tolvex7/KHelpShow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int kWidth = 266;
constexpr int kHeight = 302;

} // namespace

KSelectString::KSelectString(const std::vector<std::string>& items, const char* caption,
                             unsigned style, const char* helpFile, unsigned helpContext,
                             QWidget* parent)
    : QDialog(parent), m_items(items), m_helpFile(helpFile ? helpFile : ""),
      m_helpContext(helpContext), m_multiple((style & (kSelectExtended | kSelectMultiple)) != 0) {
    setWindowTitle(CodePage::toQString(caption ? caption : ""));
    resize(kWidth, kHeight);
    // Margins of 5 on the left and top, 10 on the right and 40 below.
    m_list = new QListWidget(this);
    m_list->setGeometry(5, 5, kWidth - 15, kHeight - 45);
    m_list->setSelectionMode(style & kSelectExtended   ? QAbstractItemView::ExtendedSelection
                             : style & kSelectMultiple ? QAbstractItemView::MultiSelection
                                                       : QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (const std::string& item : m_items) {
        m_list->addItem(CodePage::toQString(item));
        m_longest = std::max(m_longest, static_cast<int>(item.size()));
    }
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setGeometry(8, kHeight - 30, 75, 23);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Annuleren"), this);
    cancel->setGeometry(90, kHeight - 30, 75, 23);
    auto* helpButton = new QPushButton(QStringLiteral("&Help"), this);
    helpButton->setGeometry(180, kHeight - 30, 75, 23);
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

void KSelectString::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_widened && DialogGeometry::selectListNeedsWidening(width(), m_longest))
        QTimer::singleShot(100, this, &KSelectString::widen);
}

void KSelectString::widen() {
    m_widened = true;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const int w = DialogGeometry::selectListWidth(m_longest, area.width());
    // Centred across the screen at the same height.
    resize(w + 15, height());
    move(area.left() + (area.width() - (w + 15)) / 2, y());
    m_list->resize(w, m_list->height());
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
