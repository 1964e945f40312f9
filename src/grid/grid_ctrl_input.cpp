// Input of CGridCtrl: whole-cell scrolling, mouse, keys, wheel and the pop-up
// menu. Handlers stay small; the geometry lives in GridLayout.

#include "grid/grid_ctrl.h"

#include "grid/grid_accessible.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <climits>

namespace {

// Marks scrolls the grid carries out itself, which repaint exactly what they uncover.
class OwnScroll {
public:
    explicit OwnScroll(bool& flag)
        : m_flag(flag)
        , m_was(flag)
    {
        m_flag = true;
    }
    ~OwnScroll() { m_flag = m_was; }
    OwnScroll(const OwnScroll&) = delete;
    OwnScroll& operator=(const OwnScroll&) = delete;

private:
    bool& m_flag;
    bool m_was;
};

}

// ---- scrolling -------------------------------------------------------------

void CGridCtrl::OnHScroll(int code) { ScrollAxis(Qt::Horizontal, code); }
void CGridCtrl::OnVScroll(int code) { ScrollAxis(Qt::Vertical, code); }

void CGridCtrl::scrollContentsBy(int, int)
{
    if (!m_ownScroll)
        viewport()->update();
}

void CGridCtrl::InvalidateClient(const QRect& rect)
{
    if (m_redrawAllowed)
        viewport()->update(rect);
}

void CGridCtrl::ScrollAxis(Qt::Orientation orientation, int code)
{
    if (!hasFocus())
        setFocus();
    const bool horizontal = orientation == Qt::Horizontal;
    QScrollBar* bar = horizontal ? horizontalScrollBar() : verticalScrollBar();
    const int p = bar->value();
    const CellPos topLeft = TopLeftScrollCell();
    const QRect client = viewport()->rect();
    const int first = horizontal ? topLeft.col : topLeft.row;
    const int fixedCount = horizontal ? m_fixedColumns : m_fixedRows;
    const int fixedSize = horizontal ? FixedColumnsWidth() : FixedRowsHeight();
    const int extent = horizontal ? client.width() : client.height();
    const int maxPos = horizontal ? m_hScrollMax : m_vScrollMax;
    const auto size = [&](int i) { return horizontal ? ColumnSize(i) : RowSize(i); };
    // The scrolled part of the client: everything past the fixed cells.
    const QRect scrolled = horizontal
        ? QRect(QPoint(fixedSize, client.top()), client.bottomRight())
        : QRect(QPoint(client.left(), fixedSize), client.bottomRight());
    const OwnScroll own(m_ownScroll);

    switch (code) {
    case SB_LINEUP:
        if (p > 0 && first > fixedCount) {
            const int step = size(first - 1);
            bar->setValue(std::max(0, p - step));
            if (m_redrawAllowed) {
                viewport()->scroll(horizontal ? step : 0, horizontal ? 0 : step, scrolled);
                InvalidateClient(horizontal ? QRect(fixedSize, client.top(), step, client.height())
                                            : QRect(client.left(), fixedSize, client.width(), step));
            }
        }
        break;
    case SB_LINEDOWN:
        if (p < maxPos && first < (horizontal ? m_columns : m_rows)) {
            const int step = size(first);
            bar->setValue(static_cast<int>(std::min<long long>(INT_MAX, static_cast<long long>(p) + step)));
            if (bar->value() == p)
                break;
            if (m_redrawAllowed) {
                viewport()->scroll(horizontal ? -step : 0, horizontal ? 0 : -step, scrolled);
                InvalidateClient(horizontal
                        ? QRect(client.right() + 1 - step, client.top(), step, client.height())
                        : QRect(client.left(), client.bottom() + 1 - step, client.width(), step));
            }
        }
        break;
    case SB_PAGEUP:
        if (p > 0) {
            bar->setValue(std::max(0, p - (extent - fixedSize)));
            InvalidateClient(scrolled);
        }
        break;
    case SB_PAGEDOWN:
        if (p < maxPos) {
            bar->setValue(std::min(maxPos, p + (extent - fixedSize)));
            InvalidateClient(scrolled);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        bar->setValue(bar->sliderPosition());
        InvalidateClient(scrolled);
        break;
    case SB_TOP:
        if (p > 0) {
            bar->setValue(0);
            InvalidateClient(client);
        }
        break;
    case SB_BOTTOM:
        if (p < maxPos) {
            bar->setValue(maxPos);
            InvalidateClient(client);
        }
        break;
    default:
        break;
    }
}

void CGridCtrl::OnScrollBarAction(Qt::Orientation orientation, int action)
{
    int code = -1;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
    default: return;
    }
    QScrollBar* bar = orientation == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
    // The bar has already moved its slider by its own steps; put it back so the
    // whole-cell rules alone decide where it goes.
    if (code != SB_THUMBTRACK)
        bar->setSliderPosition(bar->value());
    ScrollAxis(orientation, code);
}

void CGridCtrl::PostScroll(Qt::Orientation orientation, int code)
{
    QMetaObject::invokeMethod(
        this, [this, orientation, code] { ScrollAxis(orientation, code); }, Qt::QueuedConnection);
}

void CGridCtrl::BringIntoView(int row, int col)
{
    if (!IsValid(CellPos { row, col }))
        return;
    const CellSpan shown = VisibleScrollSpan();
    for (int i = 0; i < col - shown.maxCol; ++i)
        OnHScroll(SB_LINEDOWN);
    for (int i = 0; i < shown.minCol - col; ++i)
        OnHScroll(SB_LINEUP);
    for (int i = 0; i < row - shown.maxRow; ++i)
        OnVScroll(SB_LINEDOWN);
    for (int i = 0; i < shown.minRow - row; ++i)
        OnVScroll(SB_LINEUP);
    QRect rect;
    if (CellRect(row, col, rect)) {
        if (rect.right() > viewport()->width())
            OnHScroll(SB_LINEDOWN);
        if (rect.bottom() > viewport()->height())
            OnVScroll(SB_LINEDOWN);
    }
}

void CGridCtrl::resizeEvent(QResizeEvent* event)
{
    setFocus();
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

// ---- mouse -----------------------------------------------------------------

void CGridCtrl::SelectingStep(CellPos cell)
{
    if (!m_selectionEnabled)
        return;
    const CellPos a = m_selectionStart;
    switch (m_mouseMode) {
    case MODE_SELECT_ALL:
        SelectRange(m_fixedRows, m_fixedColumns, m_rows - 1, m_columns - 1, false);
        break;
    case MODE_SELECT_COLUMNS:
        if (IsValid(cell) && cell.col >= m_fixedColumns)
            SelectRange(m_fixedRows, std::min(a.col, cell.col), m_rows - 1, std::max(a.col, cell.col), false);
        break;
    case MODE_SELECT_ROWS:
        if (IsValid(cell) && cell.row >= m_fixedRows)
            SelectRange(std::min(a.row, cell.row), m_fixedColumns, std::max(a.row, cell.row), m_columns - 1, false);
        break;
    case MODE_SELECT_CELLS:
        if (IsValid(cell) && cell.row >= m_fixedRows && cell.col >= m_fixedColumns)
            SelectRange(std::min(a.row, cell.row), std::min(a.col, cell.col), std::max(a.row, cell.row),
                std::max(a.col, cell.col), false);
        break;
    default:
        break;
    }
}

void CGridCtrl::OnColumnHeaderClick(CellPos cell)
{
    if (!IsValid(cell))
        return;
    m_mouseMode = cell.col < m_fixedColumns ? MODE_SELECT_ALL : MODE_SELECT_COLUMNS;
    SelectingStep(cell);
}

void CGridCtrl::OnRowHeaderClick(CellPos cell)
{
    if (!IsValid(cell))
        return;
    m_mouseMode = cell.row < m_fixedRows ? MODE_SELECT_ALL : MODE_SELECT_ROWS;
    SelectingStep(cell);
}

long CGridCtrl::StartEdit(int row, int col)
{
    BringIntoView(row, col);
    QRect rect;
    if (IsValid(CellPos { row, col }) && CanEditCell(row, col) && IsCellShown(row, col)
        && CellRect(row, col, rect)) {
        CGridAccessible::BeginEditNotice(this, row, col);
        const long result = NotifyParent(row, col, GRIDN_BEGINEDIT);
        CGridAccessible::EndEditNotice();
        return result;
    }
    return 0;
}

void CGridCtrl::InvertBand(const QRect& band)
{
    // The tracking band is drawn inverted over the grid by PaintGrid; only one
    // band exists, so showing a new one removes the old.
    if (!m_trackBand.isNull())
        viewport()->update(m_trackBand);
    m_trackBand = band;
    if (!m_trackBand.isNull())
        viewport()->update(m_trackBand);
}

void CGridCtrl::HoverMove(QPoint point)
{
    if (!viewport()->rect().contains(point))
        return;
    const int fixedHeight = FixedRowsHeight();
    const int fixedWidth = FixedColumnsWidth();
    const auto setIdle = [this] {
        if (m_mouseMode != MODE_IDLE)
            viewport()->setCursor(Qt::ArrowCursor);
        m_mouseMode = MODE_IDLE;
    };
    if (point.y() < fixedHeight && m_columnResizeAllowed) {
        const CellPos cell = CellAtPoint(point, true);
        QPoint origin;
        if (!CellOrigin(cell.row, cell.col, origin))
            return;
        const bool overEdge = (point.x() - origin.x() <= m_resizeCaptureRange && cell.col != 0)
            || (origin.x() + ColumnSize(cell.col) - point.x() <= m_resizeCaptureRange);
        if (overEdge) {
            if (m_mouseMode != MODE_OVER_COLUMN_EDGE)
                viewport()->setCursor(Qt::SizeHorCursor);
            m_mouseMode = MODE_OVER_COLUMN_EDGE;
        } else {
            setIdle();
        }
    } else if (point.x() < fixedWidth && m_rowResizeAllowed) {
        const CellPos cell = CellAtPoint(point, true);
        QPoint origin;
        if (!CellOrigin(cell.row, cell.col, origin))
            return;
        const bool overEdge = (point.y() - origin.y() <= m_resizeCaptureRange && cell.row != 0)
            || (origin.y() + RowSize(cell.row) - point.y() <= m_resizeCaptureRange);
        if (overEdge) {
            if (m_mouseMode != MODE_OVER_ROW_EDGE)
                viewport()->setCursor(Qt::SizeVerCursor);
            m_mouseMode = MODE_OVER_ROW_EDGE;
        } else {
            setIdle();
        }
    } else {
        setIdle();
    }
    m_lastPoint = point;
}

void CGridCtrl::DragMove(QPoint point)
{
    const QRect client = viewport()->rect();
    if (!client.contains(point) || !IsValid(m_downCell))
        return;
    switch (m_mouseMode) {
    case MODE_SELECT_COLUMNS:
    case MODE_SELECT_ROWS:
    case MODE_SELECT_CELLS: {
        const CellPos cell = CellAtPoint(point, true);
        if (!IsValid(cell))
            return;
        SelectingStep(cell);
        if (cell.row >= m_fixedRows && cell.col >= m_fixedColumns)
            SetFocusPos(cell.row, cell.col);
        break;
    }
    case MODE_SIZING_ROW:
        // The pointer stays below the sized row's top, as if confined there.
        point.setY(std::max(point.y(), m_sizingOrigin.y()));
        InvertBand(QRect(client.left(), point.y(), client.width(), 2));
        break;
    case MODE_SIZING_COLUMN:
        point.setX(std::max(point.x(), m_sizingOrigin.x()));
        InvertBand(QRect(point.x(), client.top(), 2, client.height()));
        break;
    default:
        break;
    }
    m_lastPoint = point;
}

void CGridCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QPoint point = event->position().toPoint();
    const QRect client = viewport()->rect();
    m_downPoint = point;
    m_downCell = CellAtPoint(point, true);
    if (!IsValid(m_downCell))
        return;
    m_selectionStart = (event->modifiers() & Qt::ShiftModifier) ? m_focusCell : m_downCell;
    setFocus(Qt::MouseFocusReason);
    if (m_downCell == m_focusCell)
        return;

    SetFocusPos(-1, -1);
    SetFocusPos(std::max(m_downCell.row, m_fixedRows), std::max(m_downCell.col, m_fixedColumns));

    if (m_mouseMode == MODE_OVER_COLUMN_EDGE) {
        m_mouseMode = MODE_SIZING_COLUMN;
        QPoint origin;
        if (!CellOrigin(0, m_downCell.col, origin))
            return;
        InvertBand(QRect(point.x(), client.top(), 2, client.height()));
        if (point.x() - origin.x() <= m_resizeCaptureRange) {
            m_downCell.col -= 1;
            if (!CellOrigin(0, m_downCell.col, origin))
                return;
        }
        m_sizingOrigin = origin;
    } else if (m_mouseMode == MODE_OVER_ROW_EDGE) {
        m_mouseMode = MODE_SIZING_ROW;
        QPoint origin;
        if (!CellOrigin(m_downCell.row, m_downCell.col, origin))
            return;
        InvertBand(QRect(client.left(), point.y(), client.width(), 2));
        if (point.y() - origin.y() <= m_resizeCaptureRange) {
            m_downCell.row -= 1;
            if (!CellOrigin(m_downCell.row, 0, origin))
                return;
        }
        m_sizingOrigin = origin;
    } else {
        m_previousSelection.clear();
        if (event->modifiers() & Qt::ControlModifier)
            m_previousSelection = m_selectedCells;
        if (m_downCell.row < m_fixedRows) {
            OnColumnHeaderClick(m_downCell);
        } else if (m_downCell.col < m_fixedColumns) {
            OnRowHeaderClick(m_downCell);
        } else {
            m_mouseMode = MODE_SELECT_CELLS;
            SelectingStep(m_downCell);
        }
    }
    m_lastPoint = point;
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click does nothing; its release asks for
    // an edit again like any other release.
    event->accept();
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->buttons() & Qt::LeftButton)
        DragMove(point);
    else
        HoverMove(point);
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        CellSpan bounding;
        if (!m_selectedCells.empty()) {
            bounding = { INT_MAX, INT_MAX, -1, -1 };
            for (const CellPos p : m_selectedCells) {
                bounding.minRow = std::min(bounding.minRow, p.row);
                bounding.minCol = std::min(bounding.minCol, p.col);
                bounding.maxRow = std::max(bounding.maxRow, p.row);
                bounding.maxCol = std::max(bounding.maxCol, p.col);
            }
        }
        if (bounding.IsValidIn(m_rows, m_columns) && m_contextMenu)
            m_contextMenu->popup(viewport()->mapToGlobal(point));
        event->accept();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;

    switch (m_mouseMode) {
    case MODE_IDLE:
    case MODE_SELECT_CELLS:
        StartEdit(m_focusCell.row, m_focusCell.col);
        break;
    case MODE_SIZING_COLUMN:
    case MODE_SIZING_ROW: {
        InvertBand(QRect());
        const bool column = m_mouseMode == MODE_SIZING_COLUMN;
        QPoint origin;
        if (point != m_downPoint && CellOrigin(m_downCell.row, m_downCell.col, origin)) {
            // Confined like the tracking band: never above or left of the origin.
            if (column)
                SetColumnSize(m_downCell.col, std::max(point.x(), m_sizingOrigin.x()) - origin.x());
            else
                SetRowSize(m_downCell.row, std::max(point.y(), m_sizingOrigin.y()) - origin.y());
            UpdateScrollBars();
            viewport()->update();
        }
        break;
    }
    default:
        break;
    }
    m_mouseMode = MODE_IDLE;
    viewport()->setCursor(Qt::ArrowCursor);

    if (IsValid(m_downCell)) {
        const int id = ControlId();
        QMetaObject::invokeMethod(
            this, [this, id] { Q_EMIT GridCommand(id); }, Qt::QueuedConnection);
    }
}

// ---- keys and wheel ----------------------------------------------------------

bool CGridCtrl::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        // The grid keeps Tab for moving between cells instead of leaving the grid.
        if (tab && m_tabHandled && !(key->modifiers() & Qt::ControlModifier)) {
            keyPressEvent(key);
            return true;
        }
        // With Ctrl held the grid does not want Tab: it moves the keyboard
        // focus to the next or previous control, so the grid is no trap.
        if (tab && (key->modifiers() & Qt::ControlModifier)) {
            const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
            focusNextPrevChild(!back);
            return true;
        }
    } else if (event->type() == QEvent::FocusIn) {
        // Reached with the keyboard and no focus cell yet: start at the first
        // data cell, or the arrow keys would have nothing to move.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            && !IsValid(m_focusCell) && m_fixedRows < m_rows && m_fixedColumns < m_columns)
            SetFocusPos(m_fixedRows, m_fixedColumns);
        // Announced after Qt's own focus event for the grid as a whole.
        QMetaObject::invokeMethod(
            this, [grid = QPointer<CGridCtrl>(this)] { CGridAccessible::NotifyFocus(grid); },
            Qt::QueuedConnection);
    }
    return QAbstractScrollArea::event(event);
}

void CGridCtrl::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        StartEdit(m_focusCell.row, m_focusCell.col);
    if (!IsValid(m_focusCell)) {
        event->ignore();
        return;
    }

    const bool backTab = key == Qt::Key_Backtab || (key == Qt::Key_Tab && shift);
    const bool tab = key == Qt::Key_Tab && !backTab;
    CellPos next = m_focusCell;
    bool wrapped = false;
    if (tab) {
        if (next.col < m_columns - 1) {
            ++next.col;
        } else if (next.row < m_rows - 1) {
            ++next.row;
            next.col = m_fixedColumns;
            wrapped = true;
        } else {
            event->ignore();
            return;
        }
    } else if (backTab) {
        if (next.col > m_fixedColumns) {
            --next.col;
        } else if (next.row > m_fixedRows) {
            --next.row;
            next.col = m_columns - 1;
            wrapped = true;
        } else {
            event->ignore();
            return;
        }
    } else {
        switch (key) {
        case Qt::Key_PageUp: {
            const int before = TopLeftScrollCell().row;
            OnVScroll(SB_PAGEUP);
            const int moved = TopLeftScrollCell().row - before;
            next.row = moved != 0 ? std::max(m_fixedRows, next.row + moved) : m_fixedRows;
            break;
        }
        case Qt::Key_PageDown: {
            const int before = TopLeftScrollCell().row;
            OnVScroll(SB_PAGEDOWN);
            const int moved = TopLeftScrollCell().row - before;
            next.row = moved != 0 ? std::min(m_rows - 1, next.row + moved) : m_rows - 1;
            break;
        }
        case Qt::Key_Home:
            OnVScroll(SB_TOP);
            next.row = m_fixedRows;
            break;
        case Qt::Key_End:
            OnVScroll(SB_BOTTOM);
            next.row = m_rows - 1;
            break;
        case Qt::Key_Left:
            if (next.col > m_fixedColumns)
                --next.col;
            break;
        case Qt::Key_Right:
            if (next.col < m_columns - 1)
                ++next.col;
            break;
        case Qt::Key_Up:
            if (next.row > m_fixedRows)
                --next.row;
            break;
        case Qt::Key_Down:
            if (next.row < m_rows - 1)
                ++next.row;
            break;
        default:
            event->ignore();
            return;
        }
    }

    if (next == m_focusCell)
        return;
    if (m_mouseMode == MODE_IDLE) {
        m_previousSelection.clear();
        m_mouseMode = MODE_SELECT_CELLS;
        if (!shift || tab || backTab)
            m_selectionStart = next;
        SelectingStep(next);
        m_mouseMode = MODE_IDLE;
    }
    SetFocusPos(next.row, next.col);
    if (IsCellShown(next.row, next.col))
        return;

    BringIntoView(next.row, next.col);
    if (tab && !wrapped) {
        OnHScroll(SB_LINEDOWN);
    } else if (tab) {
        OnVScroll(SB_LINEDOWN);
        horizontalScrollBar()->setValue(0);
    } else if (backTab && !wrapped) {
        OnHScroll(SB_LINEUP);
    } else if (backTab) {
        OnVScroll(SB_LINEUP);
        horizontalScrollBar()->setValue(m_hScrollMax);
    } else if (key == Qt::Key_Left) {
        OnHScroll(SB_LINEUP);
    } else if (key == Qt::Key_Right) {
        OnHScroll(SB_LINEDOWN);
    } else if (key == Qt::Key_Up) {
        OnVScroll(SB_LINEUP);
    } else if (key == Qt::Key_Down) {
        OnVScroll(SB_LINEDOWN);
    }
    viewport()->update();
}

void CGridCtrl::wheelEvent(QWheelEvent* event)
{
    const long long delta = event->angleDelta().y();
    const bool pages = m_wheelLines == -1;
    long long notches = pages ? delta / 120 : delta * m_wheelLines / 120;
    // More steps than rows cannot scroll further; a huge setting must not flood
    // the event queue.
    const long long cap = std::max(1, m_rows);
    notches = std::clamp(notches, -cap, cap);
    const int up = pages ? SB_PAGEUP : SB_LINEUP;
    const int down = pages ? SB_PAGEDOWN : SB_LINEDOWN;
    for (long long i = 0; i < notches; ++i)
        PostScroll(Qt::Vertical, up);
    for (long long i = 0; i < -notches; ++i)
        PostScroll(Qt::Vertical, down);
    event->accept();
}
