#pragma once

#include <string>

// A grid as those who only read it see it: the export, the print component and korvel-cli.
// Rows and columns count from 0; the rows below fixedRowCount() are title rows. Texts are
// Windows-1252 bytes, exactly as the grid shows them.
class KGridSource {
public:
    // The font of the member cells; a size of 0 means the grid's own font.
    struct Font {
        std::string name;
        double size = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikethrough = false;
    };

    virtual int rowCount() const = 0;
    virtual int colCount() const = 0;
    virtual int fixedRowCount() const = 0;
    virtual std::string cellText(int row, int col) const = 0;
    virtual bool columnHidden(int col) const = 0;
    // 0..8 left, centre, right each top, middle, bottom; 9 general (text left, numbers right).
    virtual int columnAlignment(int col) const = 0;
    virtual Font dataFont() const { return {}; }

protected:
    ~KGridSource() = default;
};
