#include "config/KDragList.h"

#include "platform/CodePage.h"

namespace {
constexpr int kIdRole = Qt::UserRole;
} // namespace

KDragList::KDragList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setDragDropOverwriteMode(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void KDragList::setTexts(const std::vector<std::string>& texts) {
    clear();
    for (const std::string& text : texts)
        appendItem(text);
}

std::vector<std::string> KDragList::texts() const {
    std::vector<std::string> out;
    for (int row = 0; row < count(); ++row)
        out.push_back(CodePage::fromQString(item(row)->text()));
    return out;
}

void KDragList::setItems(const std::vector<std::pair<std::string, std::int32_t>>& items) {
    clear();
    for (const auto& [text, id] : items)
        appendItem(text, id);
}

std::vector<std::int32_t> KDragList::ids() const {
    std::vector<std::int32_t> out;
    for (int row = 0; row < count(); ++row)
        out.push_back(item(row)->data(kIdRole).toInt());
    return out;
}

int KDragList::selectedRow() const {
    const QList<QListWidgetItem*> chosen = selectedItems();
    return chosen.isEmpty() ? -1 : row(chosen.front());
}

void KDragList::selectRow(int row) {
    if (row >= 0 && row < count())
        setCurrentRow(row);
    else
        clearSelection();
}

bool KDragList::selectedId(std::int32_t* id) const {
    const int row = selectedRow();
    if (row < 0)
        return false;
    *id = item(row)->data(kIdRole).toInt();
    return true;
}

void KDragList::appendItem(const std::string& text, std::int32_t id) {
    auto* entry = new QListWidgetItem(CodePage::toQString(text), this);
    entry->setData(kIdRole, id);
}

QSize KDragList::sizeHint() const {
    // Wide enough for a long label, tall enough for a dozen rows.
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(QLatin1Char('x')) * 26, metrics.height() * 14};
}
