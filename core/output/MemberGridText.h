#pragma once

#include "platform/GridSource.h"

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

    int rowCount() const override { return static_cast<int>(m_rows.size()); }
    int colCount() const override { return m_cols; }
    int fixedRowCount() const override { return m_rows.empty() ? 0 : 1; }
    std::string cellText(int row, int col) const override;
    bool columnHidden(int col) const override { return col == 0; }
    int columnAlignment(int col) const override;
    Font dataFont() const override;

    const std::vector<std::vector<std::string>>& rows() const { return m_rows; }

private:
    int m_cols = 0;
    std::vector<std::vector<std::string>> m_rows;
    std::vector<int> m_alignment;
};
