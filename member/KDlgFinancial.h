#pragma once

#include "core/member/KFinancialLists.h"

#include <QWidget>

class CvsFlexGrid;
class KMemberDialogs;
class KQuestions;
class QAction;
class QLabel;
class QMenu;
class QPushButton;

// The member dialog's last page, "Financieel": what the member has to pay ("Te betalen
// bedragen:") and what the member paid ("Ontvangen bedragen:"), each a grid with its total and
// an add button. A double-click (or Enter) changes a row, Delete removes it after asking, and a
// right click offers "&Toevoegen", "&Wijzigen" and "&Verwijderen". The page edits its own copies
// of the lists; the member dialog takes them into its working copy.
class KDlgFinancial : public QWidget {
    Q_OBJECT

public:
    enum Which { Charges, Payments };
    // The ids of the page's menu commands.
    enum Command { Add = 32783, Change = 32784, Delete = 32785 };

    KDlgFinancial(const KMember& member, KMemberDialogs& dialogs, KQuestions& questions,
                  QWidget* parent = nullptr);

    // Writes the page's charges and payments into the member.
    void collect(KMember& member) const;
    const KFinancialLists& lists() const { return m_lists; }

    CvsFlexGrid& grid(Which which) const { return which == Charges ? *m_charges : *m_payments; }
    QString totalText(Which which) const;
    QPushButton* addButton(Which which) const;
    QMenu* popupMenu() const { return m_popup; }
    QAction* menuAction(Command command) const;

    void addCharge();
    void addPayment();
    // The record of the grid's current row.
    void change(Which which);
    // The record of the row, after asking; nothing for row 0.
    void remove(Which which, int row);
    // The menu of a right click at a point of the grid's cells: the row under the point becomes
    // the selection; without a row, "&Wijzigen" and "&Verwijderen" are grey.
    void prepareMenu(Which which, const QPoint& viewportPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CvsFlexGrid* makeGrid(const char* const titles[3]);
    void fill(Which which);
    int placeOfRow(Which which, int row) const;

    KFinancialLists m_lists;
    KMemberDialogs& m_dialogs;
    KQuestions& m_questions;
    CvsFlexGrid* m_charges = nullptr;
    CvsFlexGrid* m_payments = nullptr;
    QLabel* m_chargesTotal = nullptr;
    QLabel* m_paymentsTotal = nullptr;
    QPushButton* m_addCharge = nullptr;
    QPushButton* m_addPayment = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_addAction = nullptr;
    QAction* m_changeAction = nullptr;
    QAction* m_deleteAction = nullptr;
    Which m_menuGrid = Charges;
    int m_menuRow = 0;
};
