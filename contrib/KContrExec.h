#pragma once

#include "core/contrib/KExecution.h"

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class CvsFlexGrid;
class QLabel;

// "Uitvoeren contributie": every member with what the scheme already charged each, in the
// order the caller gives (the member grid's), the members without an amount selected, and how
// many are selected. "&Voer uit" ends it with the members the user left selected.
class KContrExec : public QDialog {
    Q_OBJECT

public:
    KContrExec(const std::string& schemeDescription, const std::vector<KExecution::Row>& rows,
               QWidget* parent = nullptr);

    CvsFlexGrid* grid() const { return m_grid; }
    // "12 van 240 leden geselecteerd".
    QString countText() const;

    void selectWithoutAmount();
    void selectAll();
    void invertSelection();
    // The members of the selected rows, in the grid's order.
    std::vector<std::int32_t> chosenMembers() const;

private:
    static constexpr int kShownRows = 30;
    void showCount();
    void fitRows();

    CvsFlexGrid* m_grid = nullptr;
    QLabel* m_count = nullptr;
};
