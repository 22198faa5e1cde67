#pragma once

#include <QDialog>

#include <functional>

class CvsFlexGrid;
class KOverview;

// "Overzicht openstaande bedragen": what the members still owe, by part name and by scheme,
// with the totals in bold. A double click on an amount (or Enter) lists the members behind it.
// The window opens as large as the grid needs, as far as the screen allows.
class KContrOverview : public QDialog {
    Q_OBJECT

public:
    KContrOverview(const KOverview& overview, std::function<void(int row, int col)> cellChosen,
                   QWidget* parent = nullptr);

    CvsFlexGrid* grid() const { return m_grid; }
    // The window size at which the grid shows every cell without a scroll bar, kept within
    // the screen's free area.
    QSize fittedSize() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cellChosen();

    CvsFlexGrid* m_grid = nullptr;
    std::function<void(int, int)> m_cellChosen;
    bool m_fitted = false;
};
