#include "core/table/MemberFind.h"

#include "platform/CodePage.h"
#include "platform/GridSource.h"

#include <algorithm>
#include <array>

namespace {

// The folded form of each Windows-1252 byte: at most two letters.
struct Folded {
    char first = 0;
    char second = 0;
};

constexpr std::array<Folded, 256> makeTable() {
    std::array<Folded, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[static_cast<std::size_t>(b)] = {static_cast<char>(b), 0};
    for (int b = 'A'; b <= 'Z'; ++b)
        table[static_cast<std::size_t>(b)] = {static_cast<char>(b - 'A' + 'a'), 0};
    const auto set = [&table](unsigned char b, char first, char second = 0) {
        table[b] = {first, second};
    };
    for (unsigned char b : {0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5})
        set(b, 'a');
    for (unsigned char b : {0xC8, 0xC9, 0xCA, 0xCB, 0xE8, 0xE9, 0xEA, 0xEB})
        set(b, 'e');
    for (unsigned char b : {0xCC, 0xCD, 0xCE, 0xCF, 0xEC, 0xED, 0xEE, 0xEF})
        set(b, 'i');
    for (unsigned char b : {0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD8, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF8})
        set(b, 'o');
    for (unsigned char b : {0xD9, 0xDA, 0xDB, 0xDC, 0xF9, 0xFA, 0xFB, 0xFC})
        set(b, 'u');
    for (unsigned char b : {0xDD, 0xFD, 0xFF, 0x9F})
        set(b, 'y');
    set(0xC7, 'c');
    set(0xE7, 'c');
    set(0xD1, 'n');
    set(0xF1, 'n');
    set(0xD0, 'd');
    set(0xF0, 'd');
    set(0x8A, 's');
    set(0x9A, 's');
    set(0x8E, 'z');
    set(0x9E, 'z');
    set(0xC6, 'a', 'e');
    set(0xE6, 'a', 'e');
    set(0x8C, 'o', 'e');
    set(0x9C, 'o', 'e');
    set(0xDF, 's', 's');
    set(0xDE, 't', 'h');
    set(0xFE, 't', 'h');
    return table;
}

constexpr std::array<Folded, 256> kFolded = makeTable();

void appendFolded(std::string& out, std::string_view bytes) {
    for (unsigned char b : bytes) {
        const Folded& f = kFolded[b];
        out += f.first;
        if (f.second)
            out += f.second;
    }
}

// Between the columns of a row: a byte no folded text holds, so no match spans two cells.
constexpr char kCellEnd = '\x01';

} // namespace

std::string MemberFind::fold(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    appendFolded(out, bytes);
    return out;
}

std::string MemberFind::foldTyped(const QString& typed) {
    return fold(CodePage::fromQStringNearest(typed));
}

void MemberFind::read(const KGridSource& grid, int nameColumn, Scope scope) {
    m_text.clear();
    m_ends.clear();
    m_firstRow = grid.fixedRowCount();
    m_scope = scope;
    m_nameColumn = nameColumn;
    const int rows = grid.rowCount();
    std::vector<int> columns;
    if (scope == Scope::Name) {
        if (nameColumn >= 0 && nameColumn < grid.colCount())
            columns.push_back(nameColumn);
    } else {
        for (int col = 0; col < grid.colCount(); ++col)
            if (!grid.columnHidden(col))
                columns.push_back(col);
    }
    m_ends.reserve(static_cast<std::size_t>(std::max(0, rows - m_firstRow)));
    for (int row = m_firstRow; row < rows; ++row) {
        for (int col : columns) {
            appendFolded(m_text, grid.cellText(row, col));
            m_text += kCellEnd;
        }
        m_ends.push_back(m_text.size());
    }
    m_valid = true;
}

int MemberFind::rowAt(std::size_t position) const {
    const auto it = std::upper_bound(m_ends.begin(), m_ends.end(), position);
    return static_cast<int>(it - m_ends.begin()) + m_firstRow;
}

int MemberFind::find(std::string_view needle, int from, Direction direction, bool including) const {
    const std::size_t count = m_ends.size();
    if (needle.empty() || count == 0 || !m_valid ||
        needle.find(kCellEnd) != std::string_view::npos)
        return -1;
    // The place of "from" among the data rows; before the first counts as the first.
    const auto row = static_cast<std::size_t>(
        std::clamp<long>(from - m_firstRow, 0, static_cast<long>(count) - 1));
    const auto begin = [this](std::size_t index) { return index == 0 ? 0 : m_ends[index - 1]; };
    const std::string_view text(m_text);
    // Every row's text ends in kCellEnd, which the needle lacks: a match lies within one row.
    if (direction == Direction::Forward) {
        const std::size_t start = including ? begin(row) : m_ends[row];
        std::size_t at = text.find(needle, start);
        if (at == std::string_view::npos)
            at = text.substr(0, start).find(needle);
        return at == std::string_view::npos ? -1 : rowAt(at);
    }
    const std::size_t end = including ? m_ends[row] : begin(row);
    std::size_t at = text.substr(0, end).rfind(needle);
    if (at == std::string_view::npos) {
        const std::size_t after = text.substr(end).rfind(needle);
        if (after != std::string_view::npos)
            at = end + after;
    }
    return at == std::string_view::npos ? -1 : rowAt(at);
}
