#pragma once

#include "incasso/KIncassoDialogs.h"

#include <QDialog>

#include <functional>
#include <unordered_map>
#include <unordered_set>

class CvsFlexGrid;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

// "Incassobestand maken": what to collect (every member's balance or one scheme's outstanding
// amount), the collection date and the remittance text; below them every member who owes
// something with the amount, the IBAN, the mandate, the sequence type and whether the member
// can be collected. The members who can are selected; "Maak bestand" ends it with the choice.
class KDlgIncasso : public QDialog {
    Q_OBJECT

public:
    using ListFor = std::function<KCollectionList(const KCollectionRequest&)>;

    KDlgIncasso(const KIncassoSetup& setup, ListFor listFor, QWidget* parent = nullptr);

    // The request the controls show.
    KCollectionRequest request() const;
    KIncassoChoice choice() const;
    // Asks for the members of the request shown now (the controls ask after a short pause).
    void refresh();
    // Selects every member who can be collected, or nobody.
    void selectReady();
    void selectNone();

    const KCollectionList& list() const { return m_list; }
    // "N leden, € 1.234,50" of the selected members who can be collected.
    QString totalsText() const;

    QRadioButton* balanceButton() const { return m_balance; }
    QRadioButton* schemeButton() const { return m_scheme; }
    QComboBox* schemeBox() const { return m_schemeBox; }
    QDateEdit* dateEdit() const { return m_date; }
    QLabel* dateNote() const { return m_dateNote; }
    QLineEdit* textEdit() const { return m_text; }
    CvsFlexGrid* grid() const { return m_grid; }
    QLabel* totals() const { return m_totals; }
    QPushButton* makeButton() const { return m_make; }

    // "Maak bestand": with the list as shown, when it holds somebody to collect.
    void accept() override;

private:
    void build();
    void later();
    void fillGrid();
    // Keeps which members that can be collected the user left unselected.
    void noteDeselected();
    void updateState();
    std::int32_t rowMember(int row) const;
    // The list's item of the grid's row.
    const KCollectionItem* rowItem(int row) const;

    KIncassoSetup m_setup;
    ListFor m_listFor;
    KCollectionList m_list;
    // Members the user deselected: they stay so when the list is asked for again.
    std::unordered_set<std::int32_t> m_deselected;
    // Member id to its place in the list.
    std::unordered_map<std::int32_t, std::size_t> m_index;
    bool m_filling = false;

    QRadioButton* m_balance = nullptr;
    QRadioButton* m_scheme = nullptr;
    QComboBox* m_schemeBox = nullptr;
    QDateEdit* m_date = nullptr;
    QLabel* m_dateNote = nullptr;
    QLineEdit* m_text = nullptr;
    CvsFlexGrid* m_grid = nullptr;
    QLabel* m_totals = nullptr;
    QPushButton* m_make = nullptr;
    QTimer* m_refresh = nullptr;
};
