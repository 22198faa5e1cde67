#pragma once

#include "platform/GridSource.h"

class CvsFlexGrid;

// A CvsFlexGrid as the export and the print component read it.
class KGridOfFlex : public KGridSource {
public:
    explicit KGridOfFlex(const CvsFlexGrid& grid) : m_grid(grid) {}

    int rowCount() const override;
    int colCount() const override;
    int fixedRowCount() const override;
    std::string cellText(int row, int col) const override;
    bool columnHidden(int col) const override;
    int columnAlignment(int col) const override;
    Font dataFont() const override;

private:
    const CvsFlexGrid& m_grid;
};
