#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class KGridSource;

// Finding a member in the member grid as a person types: the next row whose name, or any shown
// column, holds the text typed, letter case and accents aside ("jose" finds "José", "AANS"
// finds "Jaansen"). The grid's texts are folded once into one buffer, and again only when the
// rows changed (reset), so that each keystroke costs one pass over that buffer.
class MemberFind {
public:
    enum class Scope { Name, AllColumns };
    enum class Direction { Forward, Backward };

    // Windows-1252 text as the search compares it: lower case, without accents ("Æ" "ae",
    // "ß" "ss", "Ø" "o").
    static std::string fold(std::string_view bytes);
    // What a person typed, folded the same way; characters outside the code page by their
    // nearest letter.
    static std::string foldTyped(const QString& typed);

    // The rows are read again at the next search.
    void reset() { m_valid = false; }
    // Reads the grid's rows now: the name column, or every shown column but the hidden ones.
    void read(const KGridSource& grid, int nameColumn, Scope scope);
    bool hasRead(Scope scope, int nameColumn) const {
        return m_valid && m_scope == scope && m_nameColumn == nameColumn;
    }

    // The first data row from row "from" on (from itself when "including"), going the way
    // asked and round past the end, whose text holds the folded needle; -1 when no row does.
    // An empty needle finds nothing.
    int find(std::string_view needle, int from, Direction direction, bool including) const;

    std::size_t rowCount() const { return m_ends.size(); }

private:
    // The grid row of a place in m_text.
    int rowAt(std::size_t position) const;

    std::string m_text;               // every row's folded text, one after the other
    std::vector<std::size_t> m_ends;  // where each data row's text ends in m_text
    int m_firstRow = 1;               // the grid row of m_ends[0]
    Scope m_scope = Scope::Name;
    int m_nameColumn = -1;
    bool m_valid = false;
};
