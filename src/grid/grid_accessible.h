// CGridAccessible: what a screen reader sees of a CGridCtrl, through Qt's
// accessibility bridge: a table whose cells are the scrolling cells, with the
// fixed rows as column headers and the fixed columns as row headers. Every grid
// cell, fixed ones included, is a child in row-major order. The static Notify
// hooks are called by the grid where its focus, texts and shape change, and
// name an in-place editor after its cell when it takes the focus. UI thread only.
#pragma once

#include "grid/cell_pos.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <map>

class CGridCtrl;

class CGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit CGridAccessible(CGridCtrl* grid);
    ~CGridAccessible() override;

    // Installs the interface factory and the editor announcer, once per process.
    static void Install();

    // Hooks of the grid. They do nothing while no assistive technology listens.
    static void NotifyFocus(CGridCtrl* grid);
    static void NotifyCellText(CGridCtrl* grid, int row, int col);
    static void NotifyShape(CGridCtrl* grid);
    // Brackets the begin-edit notification: an editor that takes the focus in
    // between, beside the grid, is named after the cell.
    static void BeginEditNotice(CGridCtrl* grid, int row, int col);
    static void EndEditNotice();

    // "<column title>, <row title>" in the language file's wording: the name of
    // an editor laid over the cell.
    static QString CellEditorName(const CGridCtrl* grid, int row, int col);

    CGridCtrl* Grid() const;
    // The registered interface of a grid cell (fixed ones too), or nullptr.
    QAccessibleInterface* CellInterface(int row, int col) const;
    int ChildIndex(int row, int col) const;

    // QAccessibleInterface
    QAccessible::Role role() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTableInterface: rows and columns count the scrolling cells only.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    void DropCellsOutside(int rows, int columns);

    mutable std::map<CellPos, QAccessible::Id> m_cells;
};
