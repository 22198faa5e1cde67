#pragma once

#include "core/KOutcome.h"
#include "core/contrib/KOutstanding.h"

#include <memory>
#include <string>
#include <vector>

class CKorvelDoc;

// The overview of outstanding amounts as its grid shows it: a row per part name that anybody
// still owes for and a "Totaal" row; a column per scheme that anybody still owes for, "Extra
// betaling" for the extra charges and a "Totaal" column. Row 0 and column 0 hold the titles;
// every amount is "%1.2f". Filled once; the document must not change while it is in use.
class KOverview {
public:
    inline static const char* const kNoMembers = "Er zijn geen leden";
    inline static const char* const kNoDebts = "Er zijn geen schulden.";
    inline static const char* const kExtra = "Extra betaling";
    inline static const char* const kTotal = "Totaal";

    explicit KOverview(const CKorvelDoc& doc);
    ~KOverview();
    KOverview(const KOverview&) = delete;
    KOverview& operator=(const KOverview&) = delete;

    // How filling ended: Done, or NothingToDo with what the user is told (kNoMembers, or
    // kNoDebts when nothing was ever charged); the grid is empty then.
    const KResult& filled() const { return m_filled; }

    int rowCount() const { return static_cast<int>(m_cells.size()); }
    int colCount() const { return m_cells.empty() ? 0 : static_cast<int>(m_cells.front().size()); }
    // Empty out of range.
    const std::string& cell(int row, int col) const;
    // The "Totaal" row and the "Totaal" column are bold.
    bool bold(int row, int col) const;

    // The members behind an amount: every member whose share of the cell shows at least 0.01,
    // as "name: amount" in member order, under the title column title + " / " + row title.
    // No lines for a title cell or a cell below 0.01.
    struct Members {
        std::string title;
        std::vector<std::string> lines;
    };
    Members membersOf(int row, int col) const;

private:
    void fill();
    void prune();
    void addTotals();

    // Marks of rows and columns that are not one part name or one column of amounts.
    static constexpr int kTitle = -1;
    static constexpr int kAll = -2;

    const CKorvelDoc& m_doc;
    std::unique_ptr<KOutstanding> m_outstanding;
    KResult m_filled;
    std::vector<std::vector<std::string>> m_cells;
    std::vector<int> m_rowName;   // per row: the part name, kTitle, or kAll for "Totaal"
    std::vector<int> m_colColumn; // per column: the column of amounts, kTitle, or kAll
    bool m_totals = false;
};
