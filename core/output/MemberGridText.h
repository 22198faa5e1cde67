#pragma once

#include "platform/GridSource.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CKorvelDoc;

// The texts of the member grid as a rebuild leaves them, without a window: row 0 the titles
// ("Identifier" over the hidden member ids, then the items of the column list), then one row
// per member sorted by name and numbered in that order. What korvel-cli shows, exports and
// prints stands for the main view's grid.
class MemberGridText : public KGridSource {
public:
    // A document without field definitions gives a grid without rows, as the main view leaves
    // its grid untouched then.
    MemberGridText(const CKorvelDoc& doc, std::string_view columnList);

    int rowCount() const override {
        return m_titles.empty() ? 0 : static_cast<int>(m_order.size()) + 1;
    }
    int colCount() const override { return m_cols; }
    int fixedRowCount() const override { return m_titles.empty() ? 0 : 1; }
    std::string cellText(int row, int col) const override;
    bool columnHidden(int col) const override { return col == 0; }
    int columnAlignment(int col) const override;
    Font dataFont() const override;

    // Every row's texts, made when asked: for small grids.
    std::vector<std::vector<std::string>> rows() const;

private:
    // A member's cell, the member counted in list order.
    std::string_view memberCell(int member, int col) const;

    int m_cols = 0;
    std::vector<std::string> m_titles;
    // The members' cells in list order, side by side: cell k ends at m_ends[k] and begins
    // where cell k - 1 ends.
    std::string m_text;
    std::vector<std::size_t> m_ends;
    std::vector<int> m_order; // the member shown in each row below the titles
    std::vector<std::uint8_t> m_numbered; // per column: a running number ("Nr.")
    std::vector<int> m_alignment;
};
