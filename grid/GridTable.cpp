#include "grid/GridTable.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <string_view>

namespace {

// The text buffer is packed when more than this much of it, and more than half, is unused.
constexpr std::size_t kPackSlack = std::size_t{1} << 20;

// Lower case within Windows-1252: ASCII, the Latin-1 capitals and the four capitals of 0x80-0x9F.
unsigned char lower1252(unsigned char c) {
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 0x20);
    if (c == 0x8A || c == 0x8C || c == 0x8E)
        return static_cast<unsigned char>(c + 0x10);
    if (c == 0x9F)
        return 0xFF;
    return c;
}

std::string lowered(const std::string& text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(lower1252(static_cast<unsigned char>(c)));
    return out;
}

int compareBytes(std::string_view a, std::string_view b) {
    // char_traits<char> compares as unsigned char, the order of the code page.
    const int c = a.compare(b);
    return (c > 0) - (c < 0);
}

// Whether a text starts with a decimal number after blanks and a sign. strtod alone would also
// take "nan", "inf" and hexadecimal numbers, and a cell "Nan" is a name, not a number.
bool startsDecimal(const std::string& text) {
    const char* p = text.c_str();
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    if (*p == '+' || *p == '-')
        ++p;
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (*p == '.')
        return digit(p[1]);
    return digit(*p) && !(p[0] == '0' && (p[1] == 'x' || p[1] == 'X'));
}

// The whole text is a number, surrounding blanks allowed.
bool parseNumber(const std::string& text, double& value) {
    if (!startsDecimal(text))
        return false;
    const char* begin = text.c_str();
    char* end = nullptr;
    value = std::strtod(begin, &end);
    if (end == begin)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == '\0';
}

double leadingNumber(const std::string& text) {
    return startsDecimal(text) ? std::strtod(text.c_str(), nullptr) : 0.0;
}

} // namespace

GridTable::GridTable() {
    m_fonts.emplace_back();
}

void GridTable::setRowCount(int rows) {
    rows = std::max(rows, 0);
    if (rows == m_rows)
        return;
    if (rows < m_rows) {
        for (int r = rows; r < m_rows; ++r)
            m_selectedCount -= m_selected[static_cast<std::size_t>(r)];
        m_selectedRowsValid = false;
        // The rows that go are the last ones shown; they go from storage in that order. Rows
        // that stay where they are stored (the title row, as a rule) need no cell moved.
        bool keptInPlace = true;
        for (int r = 0; r < rows && keptInPlace; ++r)
            keptInPlace = m_stored[static_cast<std::size_t>(r)] == r;
        if (!keptInPlace)
            storeInShownOrder();
        forget(static_cast<std::size_t>(rows) * static_cast<std::size_t>(m_cols), m_cells.size());
    }
    const int before = m_rows;
    m_rows = rows;
    m_cells.resize(static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_cols));
    packTextsIfSparse();
    if (!m_styles.empty())
        m_styles.resize(m_cells.size(), kGridStyle);
    m_selected.resize(static_cast<std::size_t>(m_rows), 0);
    m_stored.resize(static_cast<std::size_t>(m_rows));
    for (int r = before; r < m_rows; ++r)
        m_stored[static_cast<std::size_t>(r)] = r;
}

void GridTable::storeInShownOrder() {
    bool inOrder = true;
    for (std::size_t r = 0; r < m_stored.size() && inOrder; ++r)
        inOrder = m_stored[r] == static_cast<int>(r);
    if (inOrder)
        return;
    const auto cols = static_cast<std::size_t>(m_cols);
    std::vector<Cell> cells(m_cells.size());
    std::vector<std::uint16_t> styles(m_styles.size());
    for (std::size_t r = 0; r < m_stored.size(); ++r) {
        const auto from = static_cast<std::size_t>(m_stored[r]);
        std::copy(m_cells.begin() + static_cast<std::ptrdiff_t>(from * cols),
                  m_cells.begin() + static_cast<std::ptrdiff_t>((from + 1) * cols),
                  cells.begin() + static_cast<std::ptrdiff_t>(r * cols));
        if (!m_styles.empty())
            std::copy_n(m_styles.begin() + static_cast<std::ptrdiff_t>(from * cols), cols,
                        styles.begin() + static_cast<std::ptrdiff_t>(r * cols));
    }
    m_cells = std::move(cells);
    m_styles = std::move(styles);
    std::iota(m_stored.begin(), m_stored.end(), 0);
}

void GridTable::setColCount(int cols) {
    cols = std::max(cols, 0);
    if (cols == m_cols)
        return;
    const auto rows = static_cast<std::size_t>(m_rows);
    const auto keep = static_cast<std::size_t>(std::min(cols, m_cols));
    std::vector<Cell> cells(rows * static_cast<std::size_t>(cols));
    std::vector<std::uint16_t> styles;
    if (!m_styles.empty())
        styles.assign(cells.size(), kGridStyle);
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < keep; ++c) {
            cells[r * static_cast<std::size_t>(cols) + c] = m_cells[index(int(r), int(c))];
            if (!styles.empty())
                styles[r * static_cast<std::size_t>(cols) + c] = m_styles[index(int(r), int(c))];
        }
    if (cells.size() <= m_cells.capacity()) {
        // The table keeps its storage: a grid shrunk to its title row and filled again (every
        // rebuild of a list) then needs no fresh memory from the system.
        m_cells.assign(cells.begin(), cells.end());
    } else {
        m_cells = std::move(cells);
    }
    m_usedText = 0;
    for (const Cell& cell : m_cells)
        m_usedText += cell.size;
    packTextsIfSparse();
    m_styles = std::move(styles);
    std::iota(m_stored.begin(), m_stored.end(), 0);
    m_cols = cols;
    m_columnData.resize(keep);
    m_columnData.resize(static_cast<std::size_t>(cols), 0);
    m_columnHidden.resize(keep);
    m_columnHidden.resize(static_cast<std::size_t>(cols), 0);
    m_columnAlignment.resize(keep);
    m_columnAlignment.resize(static_cast<std::size_t>(cols), 9);
}

void GridTable::setFixedRowCount(int rows) {
    m_fixed = std::max(rows, 0);
    for (int r = 0; r < std::min(m_fixed, m_rows); ++r)
        setRowSelected(r, false);
}

std::string_view GridTable::cellView(int row, int col) const {
    if (!inRange(row, col))
        return {};
    const Cell& cell = m_cells[index(row, col)];
    return std::string_view(m_text).substr(cell.offset, cell.size);
}

void GridTable::setCellText(int row, int col, std::string_view text) {
    if (inRange(row, col))
        store(index(row, col), text);
}

void GridTable::setRowTexts(int row, const std::string* texts) {
    if (row < 0 || row >= m_rows)
        return;
    const std::size_t first = index(row, 0);
    for (std::size_t col = 0; col < static_cast<std::size_t>(m_cols); ++col)
        store(first + col, texts[col]);
}

void GridTable::store(std::size_t at, std::string_view text) {
    Cell& cell = m_cells[at];
    m_usedText -= cell.size;
    if (text.size() <= cell.size) {
        // A text no longer than the one it replaces takes that one's place.
        text.copy(m_text.data() + cell.offset, text.size());
    } else {
        constexpr std::size_t limit = std::numeric_limits<std::uint32_t>::max();
        if (m_text.size() + text.size() > limit) {
            cell.size = 0;
            packTextsIfSparse();
            if (m_text.size() + text.size() > limit)
                throw std::length_error("GridTable: more than 4 GB of cell text");
        }
        cell.offset = static_cast<std::uint32_t>(m_text.size());
        m_text.append(text);
    }
    cell.size = static_cast<std::uint32_t>(text.size());
    m_usedText += text.size();
}

void GridTable::forget(std::size_t first, std::size_t last) {
    for (std::size_t i = first; i < last && i < m_cells.size(); ++i) {
        m_usedText -= m_cells[i].size;
        m_cells[i] = Cell{};
    }
}

void GridTable::packTextsIfSparse() {
    if (m_usedText == 0) {
        // The buffer keeps its memory: a grid emptied and filled again (every rebuild of a
        // list) then needs no fresh pages from the system.
        m_text.clear();
        return;
    }
    const std::size_t unused = m_text.size() - m_usedText;
    if (unused <= kPackSlack || unused <= m_usedText)
        return;
    std::string packed;
    packed.reserve(m_usedText);
    for (Cell& cell : m_cells) {
        const auto offset = static_cast<std::uint32_t>(packed.size());
        packed.append(m_text, cell.offset, cell.size);
        cell.offset = cell.size ? offset : 0;
    }
    m_text = std::move(packed);
}

std::uint16_t GridTable::cellStyle(int row, int col) const {
    if (!inRange(row, col) || m_styles.empty())
        return kGridStyle;
    return m_styles[index(row, col)];
}

void GridTable::setCellStyle(int row, int col, std::uint16_t style) {
    if (!inRange(row, col) || style >= m_fonts.size())
        return;
    if (m_styles.empty()) {
        if (style == kGridStyle)
            return;
        m_styles.assign(m_cells.size(), kGridStyle);
    }
    m_styles[index(row, col)] = style;
}

void GridTable::setCellStyleRange(int row1, int col1, int row2, int col2, std::uint16_t style) {
    row1 = std::max(row1, 0);
    col1 = std::max(col1, 0);
    row2 = std::min(row2, m_rows - 1);
    col2 = std::min(col2, m_cols - 1);
    if (row1 > row2 || col1 > col2 || style >= m_fonts.size())
        return;
    if (m_styles.empty()) {
        if (style == kGridStyle)
            return;
        m_styles.assign(m_cells.size(), kGridStyle);
    }
    const auto count = static_cast<std::size_t>(col2 - col1 + 1);
    for (int row = row1; row <= row2; ++row)
        std::fill_n(m_styles.begin() + static_cast<std::ptrdiff_t>(index(row, col1)), count, style);
}

std::uint16_t GridTable::styleOf(const CellFont& font) {
    // Grids use a handful of fonts, so a linear search beats hashing.
    for (std::size_t i = 1; i < m_fonts.size(); ++i)
        if (m_fonts[i] == font)
            return static_cast<std::uint16_t>(i);
    if (m_fonts.size() > 0xFFFF)
        return kGridStyle;
    m_fonts.push_back(font);
    return static_cast<std::uint16_t>(m_fonts.size() - 1);
}

const GridTable::CellFont& GridTable::styleFont(std::uint16_t style) const {
    return style < m_fonts.size() ? m_fonts[style] : m_fonts[0];
}

int GridTable::columnData(int col) const {
    return col >= 0 && col < m_cols ? m_columnData[static_cast<std::size_t>(col)] : 0;
}

void GridTable::setColumnData(int col, int value) {
    if (col >= 0 && col < m_cols)
        m_columnData[static_cast<std::size_t>(col)] = value;
}

bool GridTable::columnHidden(int col) const {
    return col >= 0 && col < m_cols && m_columnHidden[static_cast<std::size_t>(col)] != 0;
}

void GridTable::setColumnHidden(int col, bool hidden) {
    if (col >= 0 && col < m_cols)
        m_columnHidden[static_cast<std::size_t>(col)] = hidden ? 1 : 0;
}

int GridTable::columnAlignment(int col) const {
    return col >= 0 && col < m_cols ? m_columnAlignment[static_cast<std::size_t>(col)] : 9;
}

void GridTable::setColumnAlignment(int col, int alignment) {
    if (col >= 0 && col < m_cols)
        m_columnAlignment[static_cast<std::size_t>(col)] = alignment;
}

bool GridTable::rowSelected(int row) const {
    return isDataRow(row) && m_selected[static_cast<std::size_t>(row)] != 0;
}

bool GridTable::setRowSelected(int row, bool selected) {
    if (row < 0 || row >= m_rows)
        return false;
    selected = selected && row >= m_fixed;
    auto& flag = m_selected[static_cast<std::size_t>(row)];
    if ((flag != 0) == selected)
        return false;
    flag = selected ? 1 : 0;
    m_selectedCount += selected ? 1 : -1;
    m_selectedRowsValid = false;
    return true;
}

bool GridTable::selectOnly(int row) {
    bool changed = false;
    if (m_selectedCount > 0)
        for (int r = 0; r < m_rows; ++r)
            if (r != row)
                changed |= setRowSelected(r, false);
    return setRowSelected(row, true) || changed;
}

bool GridTable::selectRange(int from, int to, bool keepOthers) {
    if (from > to)
        std::swap(from, to);
    bool changed = false;
    for (int r = m_fixed; r < m_rows; ++r) {
        const bool inside = r >= from && r <= to;
        if (inside || !keepOthers)
            changed |= setRowSelected(r, inside);
    }
    return changed;
}

bool GridTable::selectAll() {
    return selectRange(m_fixed, m_rows - 1, false);
}

bool GridTable::clearSelection() {
    if (m_selectedCount == 0)
        return false;
    return selectRange(-1, -1, false);
}

int GridTable::selectedRowAt(int i) const {
    if (!m_selectedRowsValid) {
        m_selectedRows.clear();
        for (int r = m_fixed; r < m_rows; ++r)
            if (m_selected[static_cast<std::size_t>(r)] != 0)
                m_selectedRows.push_back(r);
        m_selectedRowsValid = true;
    }
    if (i < 0 || i >= static_cast<int>(m_selectedRows.size()))
        return -1;
    return m_selectedRows[static_cast<std::size_t>(i)];
}

std::vector<int> GridTable::sort(int col, int order, const RowComparator& compare) {
    if (!isSortOrder(order) || m_rows - m_fixed < 2)
        return {};
    if (order == SortCustom ? !compare : (col < 0 || col >= m_cols))
        return {};

    std::vector<int> rows(static_cast<std::size_t>(m_rows - m_fixed));
    std::iota(rows.begin(), rows.end(), m_fixed);
    const bool descending = order != SortCustom && order % 2 == 0;

    // Keys are worked out once per row, not once per comparison.
    auto sortBy = [&](auto&& less) {
        if (descending)
            std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return less(b, a); });
        else
            std::stable_sort(rows.begin(), rows.end(), less);
    };
    const auto key = [&](int row) -> std::size_t {
        return static_cast<std::size_t>(row - m_fixed);
    };

    switch (order) {
    case SortCustom:
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return compare(a, b) < 0; });
        break;
    case SortNumericAscending:
    case SortNumericDescending: {
        std::vector<double> numbers;
        numbers.reserve(rows.size());
        for (int r : rows)
            numbers.push_back(leadingNumber(cellText(r, col)));
        sortBy([&](int a, int b) { return numbers[key(a)] < numbers[key(b)]; });
        break;
    }
    case SortStringAscending:
    case SortStringDescending:
        sortBy([&](int a, int b) { return compareBytes(cellView(a, col), cellView(b, col)) < 0; });
        break;
    case SortStringNoCaseAscending:
    case SortStringNoCaseDescending: {
        std::vector<std::string> texts;
        texts.reserve(rows.size());
        for (int r : rows)
            texts.push_back(lowered(cellText(r, col)));
        sortBy([&](int a, int b) { return compareBytes(texts[key(a)], texts[key(b)]) < 0; });
        break;
    }
    default: {
        // Generic: numbers before texts, numbers by value, texts without regard to case.
        struct Key {
            bool isNumber;
            double number;
            std::string text;
        };
        std::vector<Key> keys;
        keys.reserve(rows.size());
        for (int r : rows) {
            Key k{false, 0, {}};
            const std::string text = cellText(r, col);
            k.isNumber = parseNumber(text, k.number);
            if (!k.isNumber)
                k.text = lowered(text);
            keys.push_back(std::move(k));
        }
        sortBy([&](int a, int b) {
            const Key& ka = keys[key(a)];
            const Key& kb = keys[key(b)];
            if (ka.isNumber != kb.isNumber)
                return ka.isNumber;
            if (ka.isNumber)
                return ka.number < kb.number;
            return compareBytes(ka.text, kb.text) < 0;
        });
        break;
    }
    }

    std::vector<int> order2(static_cast<std::size_t>(m_rows));
    std::iota(order2.begin(), order2.begin() + m_fixed, 0);
    std::copy(rows.begin(), rows.end(), order2.begin() + m_fixed);
    applyOrder(order2);
    return order2;
}

void GridTable::arrangeRows(const std::vector<int>& order) {
    const auto dataRows = static_cast<std::size_t>(m_rows - m_fixed);
    if (order.size() != dataRows)
        return;
    std::vector<std::uint8_t> seen(dataRows, 0);
    std::vector<int> rows(static_cast<std::size_t>(m_rows));
    std::iota(rows.begin(), rows.begin() + m_fixed, 0);
    for (std::size_t i = 0; i < dataRows; ++i) {
        const int row = order[i];
        if (row < 0 || static_cast<std::size_t>(row) >= dataRows || seen[static_cast<std::size_t>(row)])
            return;
        seen[static_cast<std::size_t>(row)] = 1;
        rows[static_cast<std::size_t>(m_fixed) + i] = m_fixed + row;
    }
    applyOrder(rows);
}

void GridTable::moveRow(int from, int to) {
    if (!isDataRow(from) || !isDataRow(to) || from == to)
        return;
    // Only the order of the rows moves; their cells stay where they are stored.
    auto rotateRows = [&](auto& v) {
        if (from < to)
            std::rotate(v.begin() + from, v.begin() + from + 1, v.begin() + to + 1);
        else
            std::rotate(v.begin() + to, v.begin() + from, v.begin() + from + 1);
    };
    rotateRows(m_stored);
    rotateRows(m_selected);
    m_selectedRowsValid = false;
}

void GridTable::removeRows(std::vector<int> rows) {
    storeInShownOrder();
    std::vector<std::uint8_t> gone(static_cast<std::size_t>(m_rows), 0);
    for (int row : rows)
        if (isDataRow(row))
            gone[static_cast<std::size_t>(row)] = 1;
    const auto cols = static_cast<std::size_t>(m_cols);
    std::size_t kept = 0;
    for (std::size_t row = 0; row < static_cast<std::size_t>(m_rows); ++row) {
        if (gone[row]) {
            m_selectedCount -= m_selected[row];
            forget(row * cols, (row + 1) * cols);
            continue;
        }
        if (kept != row) {
            std::copy(m_cells.begin() + static_cast<std::ptrdiff_t>(row * cols),
                      m_cells.begin() + static_cast<std::ptrdiff_t>((row + 1) * cols),
                      m_cells.begin() + static_cast<std::ptrdiff_t>(kept * cols));
            if (!m_styles.empty())
                std::copy_n(m_styles.begin() + static_cast<std::ptrdiff_t>(row * cols), cols,
                            m_styles.begin() + static_cast<std::ptrdiff_t>(kept * cols));
            m_selected[kept] = m_selected[row];
        }
        ++kept;
    }
    m_rows = static_cast<int>(kept);
    m_cells.resize(kept * cols);
    packTextsIfSparse();
    if (!m_styles.empty())
        m_styles.resize(kept * cols);
    m_selected.resize(kept);
    m_stored.resize(kept);
    m_selectedRowsValid = false;
}

void GridTable::applyOrder(const std::vector<int>& order) {
    // A sort reorders the rows, not their cells.
    std::vector<int> stored(m_stored.size());
    std::vector<std::uint8_t> selected(m_selected.size());
    for (std::size_t to = 0; to < order.size(); ++to) {
        const auto from = static_cast<std::size_t>(order[to]);
        stored[to] = m_stored[from];
        selected[to] = m_selected[from];
    }
    m_stored = std::move(stored);
    m_selected = std::move(selected);
    m_selectedRowsValid = false;
}
