#include "grid/GridView.h"

#include "grid/CvsFlexGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

GridView::GridView(CvsFlexGrid& grid, QWidget* parent) : QTableView(parent), m_grid(grid) {}

void GridView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QModelIndex at = indexAt(event->position().toPoint());
    if (!at.isValid())
        return;
    m_dragging = true;
    m_grid.cellPressed(at.row(), at.column(), event->modifiers());
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return;
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid())
        m_grid.cellDragged(at.row(), at.column());
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    else
        event->ignore();
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !indexAt(event->position().toPoint()).isValid()) {
        event->ignore();
        return;
    }
    m_grid.cellDoubleClicked();
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (!m_grid.keyPressed(event->key(), event->modifiers()))
        event->ignore();
}

void GridView::wheelEvent(QWheelEvent* event) {
    m_grid.wheelTurned(event->angleDelta(), event->pixelDelta(), event->modifiers());
    event->accept();
}
