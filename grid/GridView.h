#pragma once

#include <QTableView>

class CvsFlexGrid;

// The table view inside a CvsFlexGrid. It hands mouse, key and wheel input to the grid, which
// keeps its own current cell and row selection instead of Qt's selection model.
class GridView : public QTableView {
public:
    explicit GridView(CvsFlexGrid& grid, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    CvsFlexGrid& m_grid;
    bool m_dragging = false;
};
