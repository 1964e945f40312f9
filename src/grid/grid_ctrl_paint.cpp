// Painting of CGridCtrl: the grid, the header and data cell painters shared by
// screen and printer, and the two print routines.

#include "grid/draw_text_format.h"
#include "grid/grid_ctrl.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

QColor FromColorRef(COLORREF c)
{
    return QColor(static_cast<int>(ColorRefRed(c)), static_cast<int>(ColorRefGreen(c)),
        static_cast<int>(ColorRefBlue(c)));
}

// Fills (left, top, right, bottom) with right and bottom exclusive.
void FillSpan(QPainter& painter, int left, int top, int right, int bottom, const QColor& color)
{
    if (right > left && bottom > top)
        painter.fillRect(QRect(left, top, right - left, bottom - top), color);
}

// A one-pixel horizontal or vertical stroke from (x0, y0) towards (x1, y1),
// the end point itself left out.
void Stroke(QPainter& painter, int x0, int y0, int x1, int y1, const QColor& color)
{
    if (x0 == x1 && y0 == y1)
        return;
    if (y0 == y1) {
        const int left = x1 > x0 ? x0 : x1 + 1;
        const int right = x1 > x0 ? x1 - 1 : x0;
        painter.fillRect(QRect(QPoint(left, y0), QPoint(right, y0)), color);
    } else {
        const int top = y1 > y0 ? y0 : y1 + 1;
        const int bottom = y1 > y0 ? y1 - 1 : y0;
        painter.fillRect(QRect(QPoint(x0, top), QPoint(x0, bottom)), color);
    }
}

// The same with the painter's current pen (print lines follow the caller's pen).
void PenLine(QPainter& painter, int x0, int y0, int x1, int y1)
{
    if (x0 == x1 && y0 == y1)
        return;
    const int dx = x1 > x0 ? 1 : (x1 < x0 ? -1 : 0);
    const int dy = y1 > y0 ? 1 : (y1 < y0 ? -1 : 0);
    painter.drawLine(x0, y0, x1 - dx, y1 - dy);
}

// A raised two-pixel edge just inside the exclusive rectangle (l, t, r, b).
void RaisedEdge(QPainter& painter, int l, int t, int r, int b, const QPalette& pal)
{
    const QColor outerLight = pal.color(QPalette::Midlight);
    const QColor outerDark = pal.color(QPalette::Shadow);
    const QColor innerLight = pal.color(QPalette::Light);
    const QColor innerDark = pal.color(QPalette::Dark);
    Stroke(painter, l, b - 1, l, t, outerLight);
    Stroke(painter, l, t, r - 1, t, outerLight);
    Stroke(painter, l, b - 1, r - 1, b - 1, outerDark);
    Stroke(painter, r - 1, t, r - 1, b, outerDark);
    Stroke(painter, l + 1, b - 2, l + 1, t + 1, innerLight);
    Stroke(painter, l + 1, t + 1, r - 2, t + 1, innerLight);
    Stroke(painter, l + 1, b - 2, r - 2, b - 2, innerDark);
    Stroke(painter, r - 2, t + 1, r - 2, b - 1, innerDark);
}

// The font a cell paints with. On a printer a size in points would be taken
// at the printer's resolution and then scaled again by the page mapping, so
// printing uses the cell's size on screen in pixels, which the mapping scales.
QFont PaintFont(const QFont& font, bool printing)
{
    if (!printing || font.pixelSize() > 0)
        return font;
    QFont pixelFont(font);
    pixelFont.setPixelSize(QFontInfo(font).pixelSize());
    return pixelFont;
}

// Draws text into the exclusive rectangle (l, t, r, b) following the stored
// layout flags: horizontal alignment, single line with vertical alignment,
// word wrap, tab expansion, mnemonic prefix, end ellipsis and clipping.
void DrawCellText(QPainter& painter, int l, int t, int r, int b, const QString& text, unsigned format)
{
    if (text.isEmpty() || r <= l || b <= t)
        return;
    const QRect area(l, t, r - l, b - t);
    int flags = 0;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if (format & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
        if (format & DT_VCENTER)
            flags |= Qt::AlignVCenter;
        else if (format & DT_BOTTOM)
            flags |= Qt::AlignBottom;
        else
            flags |= Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
        if (format & DT_WORDBREAK)
            flags |= Qt::TextWordWrap;
    }
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    QString shown = text;
    if (format & DT_END_ELLIPSIS)
        shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, area.width(),
            flags & Qt::TextShowMnemonic);
    if (format & DT_NOCLIP)
        flags |= Qt::TextDontClip;
    else
        painter.setClipRect(area, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.drawText(area, flags, shown);
}

}

void CGridCtrl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    QRegion clip = event->region();
    // The owner's editor lies over this cell; painting it would flicker through.
    if (m_cellEditorActive)
        clip -= QRegion(m_lastNotifyRect);
    painter.setClipRegion(clip);
    PaintGrid(painter);
}

void CGridCtrl::PaintGrid(QPainter& painter)
{
    const QRect clipBox = painter.hasClipping() ? painter.clipBoundingRect().toAlignedRect()
                                                : viewport()->rect();
    if (clipBox.isEmpty())
        return;
    // Exclusive edges, as all spans below.
    const int cl = clipBox.left();
    const int ct = clipBox.top();
    const int cr = clipBox.right() + 1;
    const int cb = clipBox.bottom() + 1;

    const int fixedHeight = FixedRowsHeight();
    const int fixedWidth = FixedColumnsWidth();
    const CellPos topLeft = TopLeftScrollCell();
    QRect bounds;
    const CellSpan shown = VisibleScrollSpan(&bounds);
    const int br = bounds.width();
    const int bb = bounds.height();

    if (cl < fixedWidth && ct < bb)
        FillSpan(painter, cl, ct, fixedWidth, bb, m_fixedBackColor);
    if (ct < fixedHeight && cr > fixedWidth && cl < br)
        FillSpan(painter, fixedWidth - 1, ct, br, fixedHeight, m_fixedBackColor);
    {
        const int l = std::max({ cl, 0, fixedWidth });
        const int t = std::max({ ct, 0, fixedHeight });
        FillSpan(painter, l, t, std::min(cr, br), std::min(cb, bb), m_textBackColor);
    }
    if (br < cr)
        FillSpan(painter, br, ct, cr, cb, m_backColor);
    if (bb < cb && cl < br)
        FillSpan(painter, cl, bb, br, cb, m_backColor);

    const auto cellRect = [](int x, int y, int w, int h) {
        return QRect(QPoint(x, y), QPoint(x + w - 1, y + h - 1));
    };

    for (int row = 0, y = 0; row < m_fixedRows; y += RowSize(row), ++row)
        for (int col = 0, x = 0; col < m_fixedColumns; x += ColumnSize(col), ++col)
            PaintFixedCell(painter, row, col, cellRect(x, y, ColumnSize(col), RowSize(row)), false);

    // Walks rows first..lastRow from y0 and columns firstCol..lastCol from x0,
    // leaving out what lies outside the clip box and stopping past it.
    const auto walk = [&](int firstRow, int lastRow, int y0, int firstCol, int lastCol, int x0,
                          auto&& paint) {
        int y = y0;
        for (int row = firstRow; row <= lastRow; ++row) {
            const int h = RowSize(row);
            const int top = y;
            y += h;
            if (top >= cb)
                break;
            if (top + h - 1 < ct)
                continue;
            int x = x0;
            for (int col = firstCol; col <= lastCol; ++col) {
                const int w = ColumnSize(col);
                const int left = x;
                x += w;
                if (left >= cr)
                    break;
                if (left + w - 1 < cl)
                    continue;
                paint(row, col, cellRect(left, top, w, h));
            }
        }
    };
    const auto fixedPainter = [&](int row, int col, const QRect& rect) {
        PaintFixedCell(painter, row, col, rect, false);
    };
    walk(topLeft.row, shown.maxRow, fixedHeight, 0, m_fixedColumns - 1, 0, fixedPainter);
    walk(0, m_fixedRows - 1, 0, topLeft.col, shown.maxCol, fixedWidth, fixedPainter);
    walk(topLeft.row, shown.maxRow, fixedHeight, topLeft.col, shown.maxCol, fixedWidth,
        [&](int row, int col, const QRect& rect) { PaintCell(painter, row, col, rect, false); });

    if (m_gridLines == LINES_BOTH || m_gridLines == LINES_VERT) {
        int x = fixedWidth;
        for (int col = topLeft.col; col <= shown.maxCol; ++col) {
            x += ColumnSize(col);
            Stroke(painter, x - 1, fixedHeight, x - 1, bb, m_gridLineColor);
        }
    }
    if (m_gridLines == LINES_BOTH || m_gridLines == LINES_HORZ) {
        int y = fixedHeight;
        for (int row = topLeft.row; row <= shown.maxRow; ++row) {
            y += RowSize(row);
            Stroke(painter, fixedWidth, y - 1, br, y - 1, m_gridLineColor);
        }
    }

    if (!m_trackBand.isNull()) {
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(m_trackBand, Qt::white);
        painter.restore();
    }
}

bool CGridCtrl::PaintFixedCell(QPainter& painter, int row, int col, const QRect& rect, bool erase,
    bool printing)
{
    if (!m_redrawAllowed)
        return false;
    CellItem item;
    item.row = row;
    item.col = col;
    item.mask = ITEM_TEXT | ITEM_IMAGE | ITEM_BKCOLOR | ITEM_TEXTCOLOR | ITEM_FORMAT;
    if (!GetCellItem(item))
        return false;

    // Win32-style edges: (l, t) first pixel, (r, b) the last pixel of the cell.
    int l = rect.left();
    int t = rect.top();
    int r = rect.right();
    int b = rect.bottom();

    const QColor back = item.backColor == CLR_DEFAULT ? m_fixedBackColor : FromColorRef(item.backColor);
    if (!printing && (item.backColor != CLR_DEFAULT || erase))
        FillSpan(painter, l, t, r, b, back);
    const QColor text = item.textColor == CLR_DEFAULT ? m_fixedTextColor : FromColorRef(item.textColor);

    painter.save();
    const QFont* font = CellFont(row, col);
    painter.setFont(PaintFont(font ? *font : m_logFont, printing));

    const bool raised = IsValid(m_focusCell) && (row == m_focusCell.row || col == m_focusCell.col)
        && !printing;
    const QPalette& pal = palette();
    if (raised) {
        RaisedEdge(painter, l, t, r + 1, b + 1, pal);
    } else {
        const QColor light = pal.color(QPalette::Light);
        const QColor dark = pal.color(QPalette::Shadow);
        Stroke(painter, r, t, l, t, light);
        Stroke(painter, l, t, l, b, light);
        Stroke(painter, r, t, r, b, dark);
        Stroke(painter, r, b, l, b, dark);
    }
    ++l;
    ++t;
    --r;
    --b;

    painter.setPen(text);
    DrawCellText(painter, l + m_margin, t, r - m_margin, b, item.text, item.format);
    painter.restore();
    return true;
}

bool CGridCtrl::PaintCell(QPainter& painter, int row, int col, const QRect& rect, bool erase,
    bool printing)
{
    if (!m_redrawAllowed)
        return false;
    CellItem item;
    item.row = row;
    item.col = col;
    item.mask = ITEM_TEXT | ITEM_IMAGE | ITEM_STATE | ITEM_BKCOLOR | ITEM_TEXTCOLOR | ITEM_FORMAT;
    if (!GetCellItem(item))
        return false;

    int l = rect.left();
    int t = rect.top();
    int r = rect.right();
    int b = rect.bottom();

    const QColor back = item.backColor == CLR_DEFAULT ? m_textBackColor : FromColorRef(item.backColor);
    const QColor fore = item.textColor == CLR_DEFAULT ? m_textColor : FromColorRef(item.textColor);
    const bool fill = back.isValid() ? true : erase;

    painter.save();
    QColor textColor = fore;
    if ((item.state & CELL_FOCUSED) && !printing) {
        if (fill)
            FillSpan(painter, l, t, r + 1, b + 1, back);
        // The focus frame covers the cell but leaves its grid-line pixels alone.
        Stroke(painter, l, t, r, t, Qt::black);
        Stroke(painter, r - 1, t, r - 1, b, Qt::black);
        Stroke(painter, r - 1, b - 1, l, b - 1, Qt::black);
        Stroke(painter, l, b - 1, l, t, Qt::black);
        ++l;
        ++t;
        --r;
        --b;
    } else if ((item.state & CELL_SELECTED) && !printing) {
        FillSpan(painter, l, t, r + 1, b + 1, palette().color(QPalette::Highlight));
        textColor = palette().color(QPalette::HighlightedText);
    } else if (fill) {
        FillSpan(painter, l, t, r + 1, b + 1, back);
    }

    const QFont* font = CellFont(row, col);
    painter.setFont(PaintFont(font ? *font : m_logFont, printing));
    painter.setPen(textColor);
    DrawCellText(painter, l + m_margin, t, r - m_margin, b, item.text, item.format);
    painter.restore();
    return true;
}

void CGridCtrl::PrintHeadingRows(QPainter& painter)
{
    const bool horz = m_gridLines == LINES_BOTH || m_gridLines == LINES_HORZ;
    const bool vert = m_gridLines == LINES_BOTH || m_gridLines == LINES_VERT;
    int top = 0;
    for (int row = 0; row < m_fixedRows; ++row) {
        const int bottom = top + RowSize(row) - 1;
        int left = 0;
        for (int col = 0; col < m_columns; ++col) {
            const int right = left + ColumnSize(col) - 1;
            PaintFixedCell(painter, row, col, QRect(QPoint(left, top), QPoint(right, bottom)), false, true);
            if (horz) {
                const int x0 = col == 0 ? left : left - 1;
                PenLine(painter, x0, bottom, right, bottom);
                if (row == 0)
                    PenLine(painter, x0, top, right, top);
            }
            if (vert) {
                const int y0 = row == 0 ? top : top - 1;
                PenLine(painter, right, y0, right, bottom);
                if (col == 0)
                    PenLine(painter, left, y0, left, bottom);
            }
            left = right + 1;
        }
        top = bottom + 1;
    }
}

void CGridCtrl::PrintBodyRow(QPainter& painter, int row)
{
    const int height = RowSize(row);
    if (height < 0)
        return;
    const bool horz = m_gridLines == LINES_BOTH || m_gridLines == LINES_HORZ;
    const bool vert = m_gridLines == LINES_BOTH || m_gridLines == LINES_VERT;
    // Row 1 is the first body row: its sides start at its own top, every later
    // row reaches up to meet the line under the row above.
    const int y0 = row == 1 ? 0 : -1;
    int left = 0;
    for (int col = 0; col < m_columns; ++col) {
        const int right = left + ColumnSize(col) - 1;
        PaintCell(painter, row, col, QRect(QPoint(left, 0), QPoint(right, height - 1)), false, true);
        if (horz) {
            const int x0 = col == 0 ? left : left - 1;
            PenLine(painter, x0, height - 1, right, height - 1);
            if (row == 0)
                PenLine(painter, x0, 0, right, 0);
        }
        if (vert) {
            PenLine(painter, right, y0, right, height - 1);
            if (col == 0)
                PenLine(painter, left, y0, left, height - 1);
        }
        left = right + 1;
    }
}
