#pragma once

#include "core/import/KImportMapping.h"
#include "core/import/KImportSetup.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

// The mapping dialog ("Importeren"): the first rows of the table, and above every column the
// field it goes into, "(niet importeren)" or "(nieuw tekstveld)"; whether the first row holds
// the titles, the order of day, month and year in dates, and the tab for new fields. OK is
// refused, with the reason, while nothing would be imported.
class KDlgImport : public QDialog {
    Q_OBJECT

public:
    explicit KDlgImport(QWidget* parent = nullptr);

    void setSetup(const KImportSetup& setup);
    KImportMapping mapping() const;

    QCheckBox* titlesBox() const { return m_titles; }
    QComboBox* dateOrderBox() const { return m_dateOrder; }
    QComboBox* tabBox() const { return m_tab; }
    QTableWidget* table() const { return m_table; }
    // The field box above a column.
    QComboBox* fieldBox(int col) const;

    void accept() override;

private:
    void build();
    // Shows the table and the proposal for the first row as titles or as a member.
    void fill(bool firstRowTitles);

    KImportSetup m_setup;
    QLabel* m_source = nullptr;
    QCheckBox* m_titles = nullptr;
    QComboBox* m_dateOrder = nullptr;
    QComboBox* m_tab = nullptr;
    QTableWidget* m_table = nullptr;
};
