#pragma once

#include "core/contrib/KExecution.h"

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class CvsFlexGrid;

// "Uitvoeren contributie": every member with what the scheme already charged each, the members
// without an amount selected. "&Voer uit" ends it with the members the user left selected.
class KContrExec : public QDialog {
    Q_OBJECT

public:
    KContrExec(const std::string& schemeDescription, const std::vector<KExecution::Row>& rows,
               QWidget* parent = nullptr);

    CvsFlexGrid* grid() const { return m_grid; }

    void selectWithoutAmount();
    void selectAll();
    void invertSelection();
    // The members of the selected rows, in the grid's order.
    std::vector<std::int32_t> chosenMembers() const;

private:
    CvsFlexGrid* m_grid = nullptr;
};
