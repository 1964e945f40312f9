#include "grid/grid_layout.h"

#include <algorithm>
#include <climits>

namespace {

// Sizes are stored unsigned and may be anything an owner set; sums are taken
// in 64 bits and clamped so huge sizes never overflow a coordinate.
int ClampToInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

long long SumRange(std::span<const unsigned> sizes, int from, int to)
{
    long long sum = 0;
    for (int i = std::max(from, 0); i < to && i < static_cast<int>(sizes.size()); ++i)
        sum += sizes[static_cast<std::size_t>(i)];
    return sum;
}

// First non-fixed index shown for a scroll offset: any offset inside a cell
// shows the next cell first, so the scrolled area always starts with a whole cell.
int FirstScrolled(std::span<const unsigned> sizes, int fixed, int pos)
{
    const int count = static_cast<int>(sizes.size());
    long long sum = 0;
    int index = fixed;
    while (sum < pos && index < count - 1) {
        sum += sizes[static_cast<std::size_t>(index)];
        ++index;
    }
    return index;
}

// Last index reached when laying out from `first` at `start` against `limit`;
// `end` receives where the walk stopped.
int WalkTo(std::span<const unsigned> sizes, int first, long long start, int limit, long long& end)
{
    const int count = static_cast<int>(sizes.size());
    end = start;
    int i = first;
    for (; i < count; ++i) {
        end += sizes[static_cast<std::size_t>(i)];
        if (end >= limit)
            break;
    }
    return i;
}

int AxisAtPoint(std::span<const unsigned> sizes, int fixed, long long fixedSize, int first, int p,
    bool allowFixed)
{
    if (p < 0)
        return -1;
    if (p < fixedSize) {
        if (!allowFixed)
            return -1;
        long long edge = 0;
        for (int i = 0; i < fixed; ++i) {
            edge += sizes[static_cast<std::size_t>(i)];
            if (edge > p)
                return i;
        }
        return -1;
    }
    const int count = static_cast<int>(sizes.size());
    long long edge = fixedSize;
    for (int i = std::max(first, 0); i < count; ++i) {
        edge += sizes[static_cast<std::size_t>(i)];
        if (edge > p)
            return i;
    }
    return -1;
}

}

GridLayout::GridLayout(std::span<const unsigned> rowHeights, std::span<const unsigned> columnWidths,
    int fixedRows, int fixedColumns, int hPos, int vPos, int clientWidth, int clientHeight)
    : m_rowHeights(rowHeights)
    , m_columnWidths(columnWidths)
    , m_fixedRows(fixedRows)
    , m_fixedColumns(fixedColumns)
    , m_hPos(hPos)
    , m_vPos(vPos)
    , m_clientWidth(clientWidth)
    , m_clientHeight(clientHeight)
{
}

bool GridLayout::IsValid(CellPos cell) const
{
    return cell.row >= 0 && cell.row < Rows() && cell.col >= 0 && cell.col < Columns();
}

int GridLayout::FixedRowsHeight() const
{
    return ClampToInt(SumRange(m_rowHeights, 0, m_fixedRows));
}

int GridLayout::FixedColumnsWidth() const
{
    return ClampToInt(SumRange(m_columnWidths, 0, m_fixedColumns));
}

int GridLayout::TotalHeight() const
{
    return ClampToInt(SumRange(m_rowHeights, 0, Rows()));
}

int GridLayout::TotalWidth() const
{
    return ClampToInt(SumRange(m_columnWidths, 0, Columns()));
}

CellPos GridLayout::TopLeftScrollCell() const
{
    return { FirstScrolled(m_rowHeights, m_fixedRows, m_vPos),
        FirstScrolled(m_columnWidths, m_fixedColumns, m_hPos) };
}

bool GridLayout::ScrolledOff(int row, int col, CellPos topLeft) const
{
    return (col >= m_fixedColumns && col < topLeft.col) || (row >= m_fixedRows && row < topLeft.row);
}

bool GridLayout::CellOrigin(int row, int col, Point& origin) const
{
    if (!IsValid(CellPos { row, col }))
        return false;
    const CellPos topLeft = TopLeftScrollCell();
    if (ScrolledOff(row, col, topLeft))
        return false;
    const long long x = col < m_fixedColumns
        ? SumRange(m_columnWidths, 0, col)
        : SumRange(m_columnWidths, 0, m_fixedColumns) + SumRange(m_columnWidths, topLeft.col, col);
    const long long y = row < m_fixedRows
        ? SumRange(m_rowHeights, 0, row)
        : SumRange(m_rowHeights, 0, m_fixedRows) + SumRange(m_rowHeights, topLeft.row, row);
    origin = { ClampToInt(x), ClampToInt(y) };
    return true;
}

bool GridLayout::CellRect(int row, int col, Rect& rect) const
{
    Point origin;
    if (!CellOrigin(row, col, origin))
        return false;
    const long long width = m_columnWidths[static_cast<std::size_t>(col)];
    const long long height = m_rowHeights[static_cast<std::size_t>(row)];
    rect = { origin.x, origin.y, ClampToInt(origin.x + width - 1), ClampToInt(origin.y + height - 1) };
    return true;
}

CellPos GridLayout::CellAtPoint(Point p, bool allowFixed) const
{
    const CellPos topLeft = TopLeftScrollCell();
    const int col = AxisAtPoint(m_columnWidths, m_fixedColumns,
        SumRange(m_columnWidths, 0, m_fixedColumns), topLeft.col, p.x, allowFixed);
    const int row = AxisAtPoint(m_rowHeights, m_fixedRows, SumRange(m_rowHeights, 0, m_fixedRows),
        topLeft.row, p.y, allowFixed);
    return { row, col };
}

CellSpan GridLayout::VisibleScrollSpan(Rect* bounds) const
{
    const CellPos topLeft = TopLeftScrollCell();
    long long bottom = 0;
    int lastRow = WalkTo(m_rowHeights, topLeft.row, SumRange(m_rowHeights, 0, m_fixedRows),
        m_clientHeight, bottom);
    if (lastRow < Rows())
        bottom = m_clientHeight;
    lastRow = std::min(lastRow, Rows() - 1);

    long long right = 0;
    int lastCol = WalkTo(m_columnWidths, topLeft.col, SumRange(m_columnWidths, 0, m_fixedColumns),
        m_clientWidth, right);
    if (lastCol < Columns())
        right = m_clientWidth;
    lastCol = std::min(lastCol, Columns() - 1);

    if (bounds)
        *bounds = { 0, 0, ClampToInt(right), ClampToInt(bottom) };
    return { topLeft.row, topLeft.col, lastRow, lastCol };
}

CellSpan GridLayout::WholeVisibleScrollSpan() const
{
    const CellPos topLeft = TopLeftScrollCell();
    long long bottom = 0;
    int lastRow = std::min(WalkTo(m_rowHeights, topLeft.row, SumRange(m_rowHeights, 0, m_fixedRows),
                               m_clientHeight, bottom),
        Rows() - 1);
    if (lastRow > 0 && bottom > m_clientHeight)
        --lastRow;

    long long right = 0;
    int lastCol = std::min(WalkTo(m_columnWidths, topLeft.col,
                               SumRange(m_columnWidths, 0, m_fixedColumns), m_clientWidth, right),
        Columns() - 1);
    if (lastCol > 0 && right > m_clientWidth)
        --lastCol;
    return { topLeft.row, topLeft.col, lastRow, lastCol };
}

bool GridLayout::IsCellShown(int row, int col) const
{
    if (!IsValid(CellPos { row, col }))
        return false;
    const CellPos topLeft = TopLeftScrollCell();
    if (ScrolledOff(row, col, topLeft))
        return false;
    const long long left = col < m_fixedColumns
        ? SumRange(m_columnWidths, 0, col)
        : SumRange(m_columnWidths, 0, m_fixedColumns) + SumRange(m_columnWidths, topLeft.col, col);
    const long long top = row < m_fixedRows
        ? SumRange(m_rowHeights, 0, row)
        : SumRange(m_rowHeights, 0, m_fixedRows) + SumRange(m_rowHeights, topLeft.row, row);
    return left < m_clientWidth && top < m_clientHeight;
}

GridLayout::ScrollRanges GridLayout::ComputeScrollRanges() const
{
    ScrollRanges ranges;
    const int fixedWidth = FixedColumnsWidth();
    const int fixedHeight = FixedRowsHeight();
    const long long hPage = static_cast<long long>(m_clientWidth) - fixedWidth;
    const long long vPage = static_cast<long long>(m_clientHeight) - fixedHeight;
    if (hPage <= 0 || vPage <= 0 || !IsValid(WholeVisibleScrollSpan()))
        return ranges;
    ranges.apply = true;
    ranges.hPage = ClampToInt(hPage);
    ranges.vPage = ClampToInt(vPage);
    const long long scrollHeight = static_cast<long long>(TotalHeight()) - fixedHeight;
    const long long scrollWidth = static_cast<long long>(TotalWidth()) - fixedWidth;
    ranges.vMax = vPage < scrollHeight ? ClampToInt(scrollHeight - 1) : 0;
    ranges.hMax = hPage < scrollWidth ? ClampToInt(scrollWidth - 1) : 0;
    return ranges;
}
