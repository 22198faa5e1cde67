#pragma once

#include "core/table/MemberFind.h"

#include <QWidget>

#include <functional>

class CvsFlexGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The find bar over the member grid (Ctrl+F, "Bewerken > Zoeken..."): typing selects the next
// row, from the current one, whose name or, as chosen, any shown column holds the text, letter
// case and accents aside; F3 and Shift+F3 go on to the next and the previous one, round past the
// ends; Escape closes the bar and hands the keyboard back to the grid.
class KFindBar : public QWidget {
    Q_OBJECT

public:
    // nameColumn tells which grid column holds the members' names now.
    KFindBar(CvsFlexGrid& grid, std::function<int()> nameColumn, QWidget* parent = nullptr);

    // Shows the bar with the keyboard in its text, all of it selected.
    void open();
    // Hides the bar; the keyboard goes back to the grid.
    void closeBar();
    void findNext();
    void findPrevious();
    // The grid's rows changed: they are read again at the next search.
    void rowsChanged() { m_find.reset(); }

    QLineEdit* edit() const { return m_edit; }
    QComboBox* scopeBox() const { return m_scope; }
    // "Niet gevonden." when nothing holds the text; empty otherwise.
    QString message() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search(MemberFind::Direction direction, bool including);
    MemberFind::Scope scope() const;

    CvsFlexGrid& m_grid;
    std::function<int()> m_nameColumn;
    MemberFind m_find;
    QLineEdit* m_edit = nullptr;
    QComboBox* m_scope = nullptr;
    QLabel* m_message = nullptr;
};
