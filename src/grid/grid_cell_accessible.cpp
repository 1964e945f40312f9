#include "grid/grid_cell_accessible.h"

#include "grid/cell_entry.h"
#include "grid/grid_accessible.h"
#include "grid/grid_ctrl.h"

#include <QWidget>
#include <QWindow>

CGridCellAccessible::CGridCellAccessible(CGridCtrl* grid, int row, int col)
    : m_grid(grid)
    , m_row(row)
    , m_col(col)
{
}

bool CGridCellAccessible::isValid() const
{
    return m_grid && m_row >= 0 && m_col >= 0 && m_row < m_grid->Rows() && m_col < m_grid->Columns();
}

bool CGridCellAccessible::IsHeader() const
{
    return m_grid && (m_row < m_grid->FixedRows() || m_col < m_grid->FixedColumns());
}

CGridAccessible* CGridCellAccessible::Table() const
{
    return m_grid ? dynamic_cast<CGridAccessible*>(QAccessible::queryAccessibleInterface(m_grid.data()))
                  : nullptr;
}

QWindow* CGridCellAccessible::window() const
{
    if (!m_grid)
        return nullptr;
    const QWidget* top = m_grid->window();
    return top ? top->windowHandle() : nullptr;
}

QAccessibleInterface* CGridCellAccessible::parent() const
{
    return m_grid ? QAccessible::queryAccessibleInterface(m_grid.data()) : nullptr;
}

QString CGridCellAccessible::text(QAccessible::Text t) const
{
    if (!isValid() || t != QAccessible::Name)
        return {};
    return m_grid->CellText(m_row, m_col);
}

QRect CGridCellAccessible::rect() const
{
    QRect cell;
    if (!isValid() || !m_grid->IsCellShown(m_row, m_col) || !m_grid->CellRect(m_row, m_col, cell))
        return {};
    // The grid's rectangles include their right and bottom edge.
    return QRect(m_grid->viewport()->mapToGlobal(cell.topLeft()), cell.size() - QSize(1, 1));
}

QAccessible::Role CGridCellAccessible::role() const
{
    if (m_grid && m_row < m_grid->FixedRows())
        return QAccessible::ColumnHeader;
    if (m_grid && m_col < m_grid->FixedColumns())
        return QAccessible::RowHeader;
    return QAccessible::Cell;
}

QAccessible::State CGridCellAccessible::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    const bool shown = m_grid->IsCellShown(m_row, m_col);
    s.invisible = !shown || !m_grid->isVisible();
    s.offscreen = !shown;
    s.disabled = !m_grid->isEnabled();
    if (IsHeader()) {
        s.readOnly = true;
        return s;
    }
    const CellPos focus = m_grid->FocusPos();
    s.focusable = true;
    s.focused = focus.row == m_row && focus.col == m_col && m_grid->hasFocus();
    s.active = focus.row == m_row && focus.col == m_col;
    s.selectable = m_grid->m_selectionEnabled;
    s.selected = (m_grid->CellState(m_row, m_col) & CELL_SELECTED) != 0;
    const bool editable = m_grid->CanEditCell(m_row, m_col);
    s.editable = editable;
    s.readOnly = !editable;
    return s;
}

void* CGridCellAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableCellInterface && !IsHeader())
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

bool CGridCellAccessible::isSelected() const
{
    return isValid() && (m_grid->CellState(m_row, m_col) & CELL_SELECTED) != 0;
}

QList<QAccessibleInterface*> CGridCellAccessible::columnHeaderCells() const
{
    QList<QAccessibleInterface*> headers;
    if (const CGridAccessible* table = Table(); table && isValid()) {
        for (int row = 0; row < m_grid->FixedRows(); ++row)
            if (QAccessibleInterface* header = table->CellInterface(row, m_col))
                headers.append(header);
    }
    return headers;
}

QList<QAccessibleInterface*> CGridCellAccessible::rowHeaderCells() const
{
    QList<QAccessibleInterface*> headers;
    if (const CGridAccessible* table = Table(); table && isValid()) {
        for (int col = 0; col < m_grid->FixedColumns(); ++col)
            if (QAccessibleInterface* header = table->CellInterface(m_row, col))
                headers.append(header);
    }
    return headers;
}

int CGridCellAccessible::columnIndex() const
{
    return m_grid ? m_col - m_grid->FixedColumns() : -1;
}

int CGridCellAccessible::rowIndex() const
{
    return m_grid ? m_row - m_grid->FixedRows() : -1;
}
