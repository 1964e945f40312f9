// Geometry of CGridCtrl without a window: which cell lies where for given row
// heights, column widths, fixed counts, scroll offsets and client size, which
// cells are on screen and what the scroll ranges must be. Qt-free and cheap to
// build, so the grid makes one per question from its current state.
#pragma once

#include "grid/cell_pos.h"
#include "grid/cell_span.h"

#include <span>

class GridLayout {
public:
    // Cell rectangles are inclusive: right = left + width - 1, so the last pixel
    // column and row of a cell carry its grid lines.
    struct Rect {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
    };
    struct Point {
        int x = 0;
        int y = 0;
    };
    // Page sizes and range maxima for the scroll bars; apply is false when the
    // bars must be left as they are (no room for scrolled cells).
    struct ScrollRanges {
        bool apply = false;
        int hPage = 0;
        int vPage = 0;
        int hMax = 0;
        int vMax = 0;
    };

    GridLayout(std::span<const unsigned> rowHeights, std::span<const unsigned> columnWidths,
        int fixedRows, int fixedColumns, int hPos, int vPos, int clientWidth, int clientHeight);

    int Rows() const { return static_cast<int>(m_rowHeights.size()); }
    int Columns() const { return static_cast<int>(m_columnWidths.size()); }
    bool IsValid(CellPos cell) const;
    bool IsValid(const CellSpan& span) const { return span.IsValidIn(Rows(), Columns()); }

    int FixedRowsHeight() const;
    int FixedColumnsWidth() const;
    int TotalHeight() const;
    int TotalWidth() const;

    CellPos TopLeftScrollCell() const;
    bool CellOrigin(int row, int col, Point& origin) const;
    bool CellRect(int row, int col, Rect& rect) const;
    CellPos CellAtPoint(Point p, bool allowFixed) const;
    // bounds, when given, receives (0, 0, right, bottom) of the drawn cells,
    // with right and bottom exclusive and at most the client size.
    CellSpan VisibleScrollSpan(Rect* bounds = nullptr) const;
    CellSpan WholeVisibleScrollSpan() const;
    bool IsCellShown(int row, int col) const;
    ScrollRanges ComputeScrollRanges() const;

private:
    bool ScrolledOff(int row, int col, CellPos topLeft) const;

    std::span<const unsigned> m_rowHeights;
    std::span<const unsigned> m_columnWidths;
    int m_fixedRows;
    int m_fixedColumns;
    int m_hPos;
    int m_vPos;
    int m_clientWidth;
    int m_clientHeight;
};
