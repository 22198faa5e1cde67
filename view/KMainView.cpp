#include "view/KMainView.h"

#include "core/document/CKorvelDoc.h"
#include "core/format/Numbers.h"
#include "core/settings/DateFormatSetting.h"
#include "core/settings/Settings.h"
#include "core/table/MemberColumns.h"
#include "core/table/MemberTable.h"
#include "grid/CvsFlexGrid.h"
#include "platform/CodePage.h"
#include "res/Commands.h"
#include "view/KFindBar.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTableView>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>
#include <limits>
#include <numeric>
#include <set>

namespace {

constexpr int kRightAligned = 7;
const char* const kNumberTitle = "Nr.";
// More members touched by one edit than this, and the grid is rebuilt instead.
constexpr std::size_t kInPlaceLimit = 64;
// The rows of a rebuild whose texts are counted to size the grid's text buffer.
constexpr int kSampledRows = 1000;

std::int32_t idOf(const std::string& text) {
    std::int32_t id = 0;
    std::from_chars(text.data(), text.data() + text.size(), id);
    return id;
}

QString htmlEscaped(const std::string& text) {
    return CodePage::toQString(text).toHtmlEscaped();
}

} // namespace

KMainView::KMainView(QWidget* parent) : QWidget(parent), m_font(MemberGridFont::read()) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_grid = new CvsFlexGrid(this);
    m_findBar = new KFindBar(*m_grid, [this] { return nameColumn(); }, this);
    layout->addWidget(m_findBar);
    layout->addWidget(m_grid);
    // F3 and Shift+F3 go on searching from anywhere in the view, the bar shown or not.
    auto* next = new QShortcut(QKeySequence(Qt::Key_F3), this, nullptr, nullptr,
                               Qt::WidgetWithChildrenShortcut);
    connect(next, &QShortcut::activated, m_findBar, &KFindBar::findNext);
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this, nullptr, nullptr,
                                   Qt::WidgetWithChildrenShortcut);
    connect(previous, &QShortcut::activated, m_findBar, &KFindBar::findPrevious);
    m_grid->setRowComparator([this](int a, int b) {
        return m_order.compare(a, b, m_orderByName ? m_nameAscending : m_dateAscending);
    });
    connect(m_grid, &CvsFlexGrid::sortStarting, this, &KMainView::sortStarting);
    connect(m_grid, &CvsFlexGrid::sortFinished, this, [this] {
        renumber();
        m_findBar->rowsChanged();
    });
    connect(m_grid, &CvsFlexGrid::doubleClick, this, &KMainView::doubleClicked);
    connect(m_grid, &CvsFlexGrid::selectionChanged, this, &KMainView::gridChanged);
    m_grid->view()->viewport()->installEventFilter(this);
    m_grid->view()->installEventFilter(this);
    m_popup = new QMenu(this);
    // The columns, the date format and the font change what every row shows.
    connect(&Settings::notifier(), &Settings::changed, this, [this](Settings::Key key) {
        if (key == Settings::Key::GridFont)
            m_font = MemberGridFont::read();
        if (key == Settings::Key::DateFormat)
            LoadDateFormat();
        if (key == Settings::Key::Columns || key == Settings::Key::DateFormat ||
            key == Settings::Key::GridFont)
            OnUpdate();
    });
}

KMainView::~KMainView() {
    if (m_doc)
        m_doc->removeListener(this);
}

void KMainView::setDocument(CKorvelDoc* doc) {
    if (m_doc)
        m_doc->removeListener(this);
    m_doc = doc;
    if (m_doc)
        m_doc->addListener(this);
}

void KMainView::documentReset() {
    OnUpdate();
}

void KMainView::configurationChanged() {
    OnUpdate();
}

void KMainView::membersChanged(const KMemberChange& change) {
    if (m_held) {
        m_updateWaiting = true;
        return;
    }
    if (!updateInPlace(change))
        OnUpdate();
    m_findBar->rowsChanged();
    emit gridChanged();
}

int KMainView::nameColumn() const {
    if (!m_doc)
        return -1;
    const KField* name = m_doc->fields().findFirst(
        [](const KField& f) { return f.meaning() == FieldMeaning::Name; });
    if (!name)
        return -1;
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).code == name->id())
            return static_cast<int>(i) + 1;
    return -1;
}

void KMainView::showFindBar() {
    m_findBar->open();
}

void KMainView::setCommands(const std::function<QAction*(int id)>& actionOf) {
    m_popup->clear();
    for (int id : memberPopupLayout()) {
        if (id == 0)
            m_popup->addSeparator();
        else if (QAction* action = actionOf(id))
            m_popup->addAction(action);
    }
    m_editAction = actionOf(Cmd::MemberEdit);
}

void KMainView::holdUpdates() {
    m_held = true;
}

void KMainView::releaseUpdates() {
    if (!m_held)
        return;
    m_held = false;
    if (m_updateWaiting) {
        m_updateWaiting = false;
        OnUpdate();
    }
}

void KMainView::OnUpdate() {
    if (m_held) {
        m_updateWaiting = true;
        return;
    }
    if (!m_doc || m_doc->fields().empty())
        return;
    m_columns = MemberColumns(MemberColumns::profileValue(), m_doc->fields());
    m_grid->setRedrawEnabled(false);
    setUpColumns(m_columns);
    fill(m_columns);
    m_grid->setRedrawEnabled(true);
    m_built = true;
    m_rebuildOrder = true;
    m_findBar->rowsChanged();
    emit gridChanged();
}

bool KMainView::updateInPlace(const KMemberChange& change) {
    if (!m_doc || !m_built || !m_rebuildOrder || m_doc->fields().empty())
        return false;
    if (change.added.size() + change.changed.size() + change.removed.size() > kInPlaceLimit)
        return false;
    // Rows are found by the id in column 0; two members of one id only a rebuild tells apart.
    if (!m_doc->memberIdsUnique())
        return false;

    const int fixed = m_grid->fixedRowCount();
    auto rowOfId = [this, fixed](std::int32_t id) {
        const std::string text = Numbers::decimal(id);
        for (int row = fixed; row < m_grid->rowCount(); ++row)
            if (m_grid->cellText(row, 0) == text)
                return row;
        return -1;
    };
    MemberListIndex listIndex(*m_doc);

    const int scrolledTo = m_grid->firstVisibleRow();
    m_grid->setRedrawEnabled(false);
    std::set<int> refit;
    // The rows whose running number may have changed.
    int firstMoved = m_grid->rowCount();
    int lastMoved = -1;
    auto moved = [&](int from, int to) {
        firstMoved = std::min(firstMoved, from);
        lastMoved = std::max(lastMoved, to);
    };

    std::vector<int> gone;
    for (std::int32_t id : change.removed) {
        const int row = m_doc->findMember(id) ? -1 : rowOfId(id);
        if (row >= 0)
            gone.push_back(row);
    }
    if (!gone.empty()) {
        moved(*std::min_element(gone.begin(), gone.end()), std::numeric_limits<int>::max());
        m_grid->removeRows(gone);
        for (int col = 1; col < m_grid->colCount(); ++col)
            refit.insert(col);
    }

    // Changed and added members: their rows get the texts a rebuild gives them, then their place.
    std::vector<std::int32_t> touched = change.changed;
    touched.insert(touched.end(), change.added.begin(), change.added.end());
    bool ok = true;
    for (std::int32_t id : touched) {
        const KMember* member = m_doc->findMember(id);
        if (!member)
            continue;
        int nameColumn = -1;
        std::vector<std::string> texts = MemberTable::rowTexts(*member, m_columns, 0, &nameColumn);
        if (nameColumn != m_nameColumn) {
            ok = false; // the name shows in another column: the rebuild decides anew
            break;
        }
        int row = rowOfId(id);
        if (row < 0) {
            row = m_grid->rowCount();
            m_grid->setRowCount(row + 1);
            GridTable::CellFont font;
            font.name = m_font.name;
            font.size = m_font.size;
            font.bold = m_font.bold;
            font.italic = m_font.italic;
            font.underline = m_font.underline;
            font.strikethrough = m_font.strikethrough;
            m_grid->setCellFontRange(row, 0, row, m_grid->colCount() - 1, font);
            moved(fixed, std::numeric_limits<int>::max());
            for (int col = 1; col < m_grid->colCount(); ++col)
                refit.insert(col);
        }
        for (int col = 0; col < m_grid->colCount(); ++col) {
            std::string& text = texts[static_cast<std::size_t>(col)];
            if (m_grid->cellText(0, col) == kNumberTitle)
                continue; // renumbered below
            if (m_grid->cellText(row, col) != text) {
                refit.insert(col);
                m_grid->setCellText(row, col, std::move(text));
            }
        }
        const int target = placeRow(row, listIndex);
        moved(std::min(row, target), std::max(row, target));
    }
    if (!ok) {
        m_grid->setRedrawEnabled(true);
        return false;
    }
    if (firstMoved <= lastMoved)
        renumber(firstMoved, lastMoved);
    for (int col : refit)
        m_grid->fitColumns(col, col);
    m_grid->setRedrawEnabled(true);
    m_grid->setFirstVisibleRow(scrolledTo);
    return true;
}

KMainView::MemberListIndex::MemberListIndex(const CKorvelDoc& doc) : m_doc(doc) {}

std::size_t KMainView::MemberListIndex::of(std::int32_t id) {
    // Asked only where two rows tie on the name, a few times for each row placed.
    const auto known = m_index.find(id);
    if (known != m_index.end())
        return known->second;
    const std::ptrdiff_t at = m_doc.members().indexOf(m_doc.findMember(id));
    const std::size_t index = at < 0 ? m_doc.members().size() : static_cast<std::size_t>(at);
    m_index.emplace(id, index);
    return index;
}

int KMainView::placeRow(int row, MemberListIndex& listIndex) {
    // The rebuild's order: by name in the name direction, equal names in member-list order;
    // without a name column, member-list order alone. The other rows are in that order, so a
    // binary search over them finds the row's place.
    const int fixed = m_grid->fixedRowCount();
    const int others = m_grid->rowCount() - fixed - 1;
    auto otherRow = [&](int i) { return fixed + i + (fixed + i >= row ? 1 : 0); };
    const std::int32_t myId = idOf(m_grid->cellText(row, 0));
    const std::string& myName =
        m_nameColumn >= 0 ? m_grid->cellText(row, m_nameColumn) : std::string();
    auto comesAfter = [&](int r) {
        if (m_nameColumn >= 0) {
            const int c = MemberOrder::compareNames(m_grid->cellText(r, m_nameColumn), myName);
            const int directed = m_nameAscending ? c : -c;
            if (directed != 0)
                return directed > 0;
        }
        return listIndex.of(idOf(m_grid->cellText(r, 0))) > listIndex.of(myId);
    };
    int lo = 0;
    int hi = others;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (comesAfter(otherRow(mid)))
            hi = mid;
        else
            lo = mid + 1;
    }
    const int target = fixed + lo;
    if (target != row)
        m_grid->moveRow(row, target);
    return target;
}

QMimeData* KMainView::selectionAsMimeData() const {
    const int count = m_grid->selectedRowCount();
    if (count == 0)
        return nullptr;
    std::vector<int> cols;
    for (int col = 0; col < m_grid->colCount(); ++col)
        if (!m_grid->columnHidden(col))
            cols.push_back(col);
    std::vector<int> rows;
    if (m_grid->fixedRowCount() > 0)
        rows.push_back(0);
    for (int i = 0; i < count; ++i)
        rows.push_back(m_grid->selectedRowAt(i));

    QString text;
    QString html = QStringLiteral("<table>");
    for (int row : rows) {
        const bool title = row < m_grid->fixedRowCount();
        html += QStringLiteral("<tr>");
        for (std::size_t i = 0; i < cols.size(); ++i) {
            const std::string& cell = m_grid->cellText(row, cols[i]);
            // A tab or line break inside a cell would split it; a space keeps the table whole.
            QString plain = CodePage::toQString(cell);
            plain.replace(QLatin1Char('\t'), QLatin1Char(' '));
            plain.replace(QLatin1Char('\n'), QLatin1Char(' '));
            plain.remove(QLatin1Char('\r'));
            text += (i ? QStringLiteral("\t") : QString()) + plain;
            html += title ? QStringLiteral("<th>%1</th>").arg(htmlEscaped(cell))
                          : QStringLiteral("<td>%1</td>").arg(htmlEscaped(cell));
        }
        text += QLatin1Char('\n');
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    auto* data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    return data;
}

void KMainView::setUpColumns(const MemberColumns& columns) {
    // Shrinking to one column first drops the properties of the columns of the last rebuild.
    m_grid->setRowCount(1);
    m_grid->setColCount(1);
    m_grid->setColCount(static_cast<int>(columns.size()) + 1);
    m_grid->setCellText(0, 0, "Identifier");
    m_grid->setColumnHidden(0, true);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int col = static_cast<int>(i) + 1;
        m_grid->setCellText(0, col, columns.at(i).title);
        m_grid->setColumnData(col, columns.at(i).code);
        if (columns.at(i).code == MemberColumns::kBalance)
            m_grid->setColumnAlignment(col, kRightAligned);
    }
}

void KMainView::fill(const MemberColumns& columns) {
    const KMemberList& members = m_doc->members();
    const int rows = static_cast<int>(members.size());
    m_nameColumn = -1;
    m_orderByName = true;
    if (rows > 0) {
        // A member's row in list order: its texts are made in one reused row and written
        // into the grid's table once.
        m_grid->setRowCount(rows + 1);
        const MemberTable::RowFiller filler(members, columns);
        std::vector<std::string> texts(columns.size() + 1);
        // The first rows tell how much text the whole grid will hold.
        std::size_t sampled = 0;
        int row = 1;
        for (const KMember& member : members) {
            filler.fill(member, row, texts.data(), &m_nameColumn);
            if (row <= kSampledRows) {
                for (const std::string& text : texts)
                    sampled += text.size();
                if (row == kSampledRows && rows > kSampledRows)
                    m_grid->reserveText(sampled / kSampledRows * static_cast<std::size_t>(rows) *
                                        9 / 8);
            }
            m_grid->setRowTexts(row, texts.data());
            ++row;
        }
        // Every rebuild sorts by name, in the direction the name title last chose, as the
        // grid's own sort by the same order would leave the rows.
        if (m_nameColumn >= 0) {
            std::vector<std::string> names;
            names.reserve(static_cast<std::size_t>(rows));
            for (int r = 1; r <= rows; ++r)
                names.push_back(m_grid->cellText(r, m_nameColumn));
            m_grid->arrangeRows(
                MemberOrder::byName(std::move(names)).sortedRows(m_nameAscending));
        }
        GridTable::CellFont font;
        font.name = m_font.name;
        font.size = m_font.size;
        font.bold = m_font.bold;
        font.italic = m_font.italic;
        font.underline = m_font.underline;
        font.strikethrough = m_font.strikethrough;
        m_grid->setCellFontRange(1, 0, m_grid->rowCount() - 1, m_grid->colCount() - 1, font);
    }
    m_grid->autoSize();
    renumber();
}

void KMainView::prepareNameOrder(int col) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(m_grid->rowCount()));
    for (int row = 0; row < m_grid->rowCount(); ++row)
        names.push_back(row < m_grid->fixedRowCount() ? std::string() : m_grid->cellText(row, col));
    m_order = MemberOrder::byName(std::move(names));
    m_orderByName = true;
}

void KMainView::prepareDateOrder(FieldMeaning meaning) {
    std::vector<std::string> ids;
    ids.reserve(static_cast<std::size_t>(m_grid->rowCount()));
    for (int row = 0; row < m_grid->rowCount(); ++row)
        ids.push_back(m_grid->cellText(row, 0));
    m_order = MemberOrder::byDate(m_doc->members(), meaning, ids);
    m_orderByName = false;
}

void KMainView::sortStarting(int col, int* order) {
    // Only name and date columns sort by the view's own order; the rest is the grid's sort.
    if (!m_doc)
        return;
    const std::int32_t code = m_grid->columnData(col);
    if (code == MemberColumns::kBalance || code == MemberColumns::kRunningNumber) {
        m_rebuildOrder = false;
        return;
    }
    switch (MemberOrder::kindOfColumn(m_doc->members(), code)) {
    case MemberOrder::Kind::Name:
        m_nameAscending = !m_nameAscending;
        // Sorted by the rebuild's own column, the rows stay in the order a rebuild gives.
        m_rebuildOrder = m_rebuildOrder && col == m_nameColumn;
        m_nameColumn = col;
        prepareNameOrder(col);
        break;
    case MemberOrder::Kind::BirthDate:
        m_rebuildOrder = false;
        m_dateAscending = !m_dateAscending;
        m_nameColumn = col;
        prepareDateOrder(FieldMeaning::BirthDate);
        break;
    case MemberOrder::Kind::RegistrationDate:
        m_rebuildOrder = false;
        m_dateAscending = !m_dateAscending;
        m_nameColumn = col;
        prepareDateOrder(FieldMeaning::RegistrationDate);
        break;
    case MemberOrder::Kind::Grid:
        m_rebuildOrder = false;
        return;
    }
    *order = GridTable::SortCustom;
}

void KMainView::renumber(int first, int last) {
    // The running number follows the display order, in every "Nr." column.
    const int current = m_grid->currentRow();
    first = std::max(first, m_grid->fixedRowCount());
    last = std::min(last, m_grid->rowCount() - 1);
    for (int col = 0; col < m_grid->colCount(); ++col) {
        if (m_grid->cellText(0, col) != kNumberTitle)
            continue;
        for (int row = first; row <= last; ++row)
            m_grid->setCellText(row, col, Numbers::decimal(row - m_grid->fixedRowCount() + 1));
    }
    m_grid->setCurrentRow(current);
}

void KMainView::selectMemberRow(std::int32_t id) {
    if (m_grid->rowCount() < 2)
        return;
    int found = -1;
    for (int row = m_grid->fixedRowCount(); row < m_grid->rowCount(); ++row) {
        const bool mine = Numbers::leadingLong(m_grid->cellText(row, 0)) == id;
        m_grid->setRowSelected(row, mine);
        if (mine && found < 0)
            found = row;
    }
    // The keyboard carries on from the member's row.
    if (found >= 0)
        m_grid->goToRow(found);
    emit gridChanged();
}

std::vector<std::int32_t> KMainView::selectedMembers() const {
    std::vector<std::int32_t> ids;
    const int count = m_grid->selectedRowCount();
    ids.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        ids.push_back(Numbers::leadingLong(m_grid->cellText(m_grid->selectedRowAt(i), 0)));
    return ids;
}

std::vector<std::int32_t> KMainView::memberRows() const {
    std::vector<std::int32_t> ids;
    const int first = m_grid->fixedRowCount();
    ids.reserve(static_cast<std::size_t>(std::max(0, m_grid->rowCount() - first)));
    for (int row = first; row < m_grid->rowCount(); ++row)
        ids.push_back(Numbers::leadingLong(m_grid->cellText(row, 0)));
    return ids;
}

void KMainView::selectAllRows() {
    m_grid->setRedrawEnabled(false);
    for (int row = m_grid->fixedRowCount(); row < m_grid->rowCount(); ++row)
        m_grid->setRowSelected(row, true);
    m_grid->setRedrawEnabled(true);
    emit gridChanged();
}

void KMainView::doubleClicked() {
    if (m_editAction && m_editAction->isEnabled())
        m_editAction->trigger();
}

void KMainView::showContextMenu(const QPoint& viewportPos, const QPoint& globalPos) {
    if (m_grid->selectedRowCount() < 2) {
        // A left click at the point makes the row under it the selection.
        m_grid->clickAt(viewportPos);
    }
    if (!m_popup->isEmpty())
        m_popup->popup(globalPos);
}

bool KMainView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu && watched == m_grid->view()->viewport()) {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        showContextMenu(menu->pos(), menu->globalPos());
        return true;
    }
    // Ctrl+A is the print command's key here; the grid's own select-all is in the menu.
    if (event->type() == QEvent::KeyPress && watched == m_grid->view()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_A && (key->modifiers() & Qt::ControlModifier))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}
