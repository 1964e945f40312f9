#include "grid/grid_accessible.h"

#include "grid/grid_cell_accessible.h"
#include "grid/grid_ctrl.h"
#include "shell/lang_string.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {
QAccessibleInterface* GridFactory(const QString&, QObject* object)
{
    if (auto* grid = qobject_cast<CGridCtrl*>(object))
        return new CGridAccessible(grid);
    return nullptr;
}

// The cell whose begin-edit notification is running, if any.
struct PendingEdit
{
    QPointer<CGridCtrl> grid;
    int row = -1;
    int col = -1;
};

PendingEdit& Pending()
{
    static PendingEdit pending;
    return pending;
}

// An editor the owner lays over the cell takes the focus while the
// notification runs; it is named before Qt announces the new focus.
void NameEditorTakingFocus(QWidget* now)
{
    PendingEdit& pending = Pending();
    if (!pending.grid || !now || now == pending.grid || now->parentWidget() != pending.grid->parentWidget())
        return;
    const QString name = CGridAccessible::CellEditorName(pending.grid, pending.row, pending.col);
    now->setAccessibleName(name);
    now->setAccessibleDescription(name);
}
}

CGridAccessible::CGridAccessible(CGridCtrl* grid)
    : QAccessibleWidget(grid, QAccessible::Table)
{
}

CGridAccessible::~CGridAccessible()
{
    for (const auto& [pos, id] : m_cells)
        QAccessible::deleteAccessibleInterface(id);
}

void CGridAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(GridFactory);
        if (qApp)
            QObject::connect(qApp, &QApplication::focusChanged, qApp,
                [](QWidget*, QWidget* now) { NameEditorTakingFocus(now); });
        return true;
    }();
    (void)installed;
}

CGridCtrl* CGridAccessible::Grid() const
{
    return static_cast<CGridCtrl*>(widget());
}

// ---- hooks ------------------------------------------------------------------

void CGridAccessible::NotifyFocus(CGridCtrl* grid)
{
    if (!grid || !QAccessible::isActive() || !grid->hasFocus())
        return;
    auto* table = dynamic_cast<CGridAccessible*>(QAccessible::queryAccessibleInterface(grid));
    const CellPos focus = grid->FocusPos();
    if (!table || !table->CellInterface(focus.row, focus.col))
        return;
    QAccessibleEvent event(grid, QAccessible::Focus);
    event.setChild(table->ChildIndex(focus.row, focus.col));
    QAccessible::updateAccessibility(&event);
}

void CGridAccessible::NotifyCellText(CGridCtrl* grid, int row, int col)
{
    if (!grid || !QAccessible::isActive())
        return;
    auto* table = dynamic_cast<CGridAccessible*>(QAccessible::queryAccessibleInterface(grid));
    if (!table || !table->CellInterface(row, col))
        return;
    QAccessibleEvent event(grid, QAccessible::NameChanged);
    event.setChild(table->ChildIndex(row, col));
    QAccessible::updateAccessibility(&event);
}

void CGridAccessible::NotifyShape(CGridCtrl* grid)
{
    if (!grid || !QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent event(grid, QAccessibleTableModelChangeEvent::ModelReset);
    event.setFirstRow(0);
    event.setFirstColumn(0);
    event.setLastRow(grid->Rows() - 1);
    event.setLastColumn(grid->Columns() - 1);
    QAccessible::updateAccessibility(&event);
}

void CGridAccessible::BeginEditNotice(CGridCtrl* grid, int row, int col)
{
    Pending() = PendingEdit { grid, row, col };
}

void CGridAccessible::EndEditNotice()
{
    Pending() = PendingEdit {};
}

QString CGridAccessible::CellEditorName(const CGridCtrl* grid, int row, int col)
{
    if (!grid)
        return {};
    const QString column = grid->FixedRows() > 0 ? grid->CellText(0, col) : QString();
    const QString line = grid->FixedColumns() > 0 ? grid->CellText(row, 0) : QString::number(row);
    const QString pattern = QString::fromStdString(LoadLangString("IDS_ACC_CELL"));
    if (pattern.contains(QLatin1String("%1")) && pattern.contains(QLatin1String("%2")))
        return pattern.arg(column, line);
    return column + QLatin1String(", ") + line;
}

// ---- cells ------------------------------------------------------------------

QAccessibleInterface* CGridAccessible::CellInterface(int row, int col) const
{
    CGridCtrl* grid = Grid();
    if (!grid || row < 0 || col < 0 || row >= grid->Rows() || col >= grid->Columns())
        return nullptr;
    const CellPos pos { row, col };
    if (const auto found = m_cells.find(pos); found != m_cells.end()) {
        if (QAccessibleInterface* cell = QAccessible::accessibleInterface(found->second))
            return cell;
        m_cells.erase(found);
    }
    auto* cell = new CGridCellAccessible(grid, row, col);
    m_cells[pos] = QAccessible::registerAccessibleInterface(cell);
    return cell;
}

int CGridAccessible::ChildIndex(int row, int col) const
{
    const CGridCtrl* grid = Grid();
    if (!grid || row < 0 || col < 0 || row >= grid->Rows() || col >= grid->Columns())
        return -1;
    return row * grid->Columns() + col;
}

void CGridAccessible::DropCellsOutside(int rows, int columns)
{
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        if (it->first.row >= rows || it->first.col >= columns) {
            QAccessible::deleteAccessibleInterface(it->second);
            it = m_cells.erase(it);
        } else {
            ++it;
        }
    }
}

// ---- QAccessibleInterface -------------------------------------------------------

QAccessible::Role CGridAccessible::role() const
{
    return QAccessible::Table;
}

int CGridAccessible::childCount() const
{
    const CGridCtrl* grid = Grid();
    return grid ? grid->Rows() * grid->Columns() : 0;
}

QAccessibleInterface* CGridAccessible::child(int index) const
{
    const CGridCtrl* grid = Grid();
    if (!grid || index < 0 || grid->Columns() <= 0 || index >= childCount())
        return nullptr;
    return CellInterface(index / grid->Columns(), index % grid->Columns());
}

int CGridAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = dynamic_cast<const CGridCellAccessible*>(child);
    if (!cell || cell->parent() != this)
        return -1;
    return ChildIndex(cell->Row(), cell->Column());
}

QAccessibleInterface* CGridAccessible::childAt(int x, int y) const
{
    const CGridCtrl* grid = Grid();
    if (!grid)
        return nullptr;
    const CellPos cell = grid->CellAtPoint(grid->viewport()->mapFromGlobal(QPoint(x, y)), true);
    return CellInterface(cell.row, cell.col);
}

QAccessibleInterface* CGridAccessible::focusChild() const
{
    const CGridCtrl* grid = Grid();
    if (!grid)
        return nullptr;
    const CellPos focus = grid->FocusPos();
    if (QAccessibleInterface* cell = CellInterface(focus.row, focus.col))
        return cell;
    return QAccessibleWidget::focusChild();
}

void* CGridAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

// ---- QAccessibleTableInterface ----------------------------------------------------

QAccessibleInterface* CGridAccessible::cellAt(int row, int column) const
{
    const CGridCtrl* grid = Grid();
    if (!grid || row < 0 || column < 0)
        return nullptr;
    return CellInterface(row + grid->FixedRows(), column + grid->FixedColumns());
}

int CGridAccessible::selectedCellCount() const
{
    return static_cast<int>(selectedCells().size());
}

QList<QAccessibleInterface*> CGridAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    const CGridCtrl* grid = Grid();
    if (!grid)
        return cells;
    for (const CellPos pos : grid->SelectedCells()) {
        if (pos.row < grid->FixedRows() || pos.col < grid->FixedColumns())
            continue;
        if (QAccessibleInterface* cell = CellInterface(pos.row, pos.col))
            cells.append(cell);
    }
    return cells;
}

QString CGridAccessible::columnDescription(int column) const
{
    const CGridCtrl* grid = Grid();
    QStringList titles;
    for (int row = 0; grid && row < grid->FixedRows(); ++row)
        titles.append(grid->CellText(row, column + grid->FixedColumns()));
    return titles.join(QLatin1Char(' '));
}

QString CGridAccessible::rowDescription(int row) const
{
    const CGridCtrl* grid = Grid();
    QStringList titles;
    for (int col = 0; grid && col < grid->FixedColumns(); ++col)
        titles.append(grid->CellText(row + grid->FixedRows(), col));
    return titles.join(QLatin1Char(' '));
}

int CGridAccessible::columnCount() const
{
    const CGridCtrl* grid = Grid();
    return grid ? grid->Columns() - grid->FixedColumns() : 0;
}

int CGridAccessible::rowCount() const
{
    const CGridCtrl* grid = Grid();
    return grid ? grid->Rows() - grid->FixedRows() : 0;
}

void CGridAccessible::modelChange(QAccessibleTableModelChangeEvent*)
{
    if (const CGridCtrl* grid = Grid())
        DropCellsOutside(grid->Rows(), grid->Columns());
}
