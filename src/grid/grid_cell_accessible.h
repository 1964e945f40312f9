// CGridCellAccessible: one cell of a CGridCtrl as a screen reader sees it: its
// text as the name, a header role for fixed cells, focused, selected, read-only
// and shown states read from the grid at every call. Instances are created and
// registered by CGridAccessible, which deletes them with itself. UI thread only.
#pragma once

#include <QAccessible>
#include <QPointer>

class CGridCtrl;
class CGridAccessible;

class CGridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    CGridCellAccessible(CGridCtrl* grid, int row, int col);

    int Row() const { return m_row; }
    int Column() const { return m_col; }
    bool IsHeader() const;

    // QAccessibleInterface
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTableCellInterface (body cells only)
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    CGridAccessible* Table() const;

    QPointer<CGridCtrl> m_grid;
    int m_row;
    int m_col;
};
