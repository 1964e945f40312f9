#include "grid/grid_ctrl.h"

#include "grid/grid_accessible.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleHints>

#include <algorithm>
#include <climits>
#include <new>

CGridCtrl::CGridCtrl(int rows, int columns, int fixedRows, int fixedColumns, QWidget* parent)
    : QAbstractScrollArea(parent)
{
    CGridAccessible::Install();
    ReadSystemColors();
    m_textColor = m_sysColors[0];
    m_textBackColor = m_sysColors[1];
    m_backColor = m_sysColors[3];
    m_fixedTextColor = m_sysColors[0];
    m_fixedBackColor = m_sysColors[2];
    m_gridLineColor = m_sysColors[3];
    m_wheelLines = ReadWheelLines();
    m_logFont = font();

    // PaintGrid covers every pixel, so the viewport is never erased first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);

    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
        [this](int action) { OnScrollBarAction(Qt::Horizontal, action); });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
        [this](int action) { OnScrollBarAction(Qt::Vertical, action); });
    connect(QGuiApplication::styleHints(), &QStyleHints::wheelScrollLinesChanged, this,
        [this](int) { m_wheelLines = ReadWheelLines(); });

    // The font is applied before the shape so the first rows and columns already
    // get the font's default sizes.
    ApplyFont(font());
    SetRows(rows);
    SetColumns(columns);
    SetFixedRows(fixedRows);
    SetFixedColumns(fixedColumns);
    UpdateScrollBars();
}

CGridCtrl::~CGridCtrl()
{
    // The owner may be half destroyed already: no notifications from here on.
    blockSignals(true);
    m_selectedCells.clear();
    m_previousSelection.clear();
    m_focusCell = {};
    m_cellRows.clear();
    m_rowHeights.clear();
    m_columnWidths.clear();
    m_rows = m_columns = m_fixedRows = m_fixedColumns = 0;
}

CellEntry* CGridCtrl::Cell(int row, int col)
{
    if (!IsValid(CellPos { row, col }))
        return nullptr;
    return m_cellRows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].get();
}

const CellEntry* CGridCtrl::Cell(int row, int col) const
{
    if (!IsValid(CellPos { row, col }))
        return nullptr;
    return m_cellRows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].get();
}

bool CGridCtrl::IsValid(CellPos cell) const
{
    return cell.row >= 0 && cell.row < m_rows && cell.col >= 0 && cell.col < m_columns;
}

GridLayout CGridCtrl::Layout() const
{
    return GridLayout(m_rowHeights, m_columnWidths, m_fixedRows, m_fixedColumns,
        horizontalScrollBar()->value(), verticalScrollBar()->value(), viewport()->width(),
        viewport()->height());
}

int CGridCtrl::ControlId() const
{
    return property("controlId").toInt();
}

// ---- shape ---------------------------------------------------------------

bool CGridCtrl::SetRows(int rows)
{
    if (rows < 0)
        return false;
    if (rows == m_rows)
        return true;
    if (rows < m_fixedRows)
        m_fixedRows = rows;
    if (m_focusCell.row >= rows)
        SetFocusPos(-1, -1);

    if (rows < m_rows) {
        for (int row = rows; row < m_rows; ++row)
            for (int col = 0; col < m_columns; ++col)
                DiscardCell(*Cell(row, col), row, col);
        m_cellRows.resize(static_cast<std::size_t>(rows));
        m_rowHeights.resize(static_cast<std::size_t>(rows));
        m_rows = rows;
    } else {
        m_cellRows.reserve(static_cast<std::size_t>(rows));
        m_rowHeights.reserve(static_cast<std::size_t>(rows));
        // One row at a time, so an allocation failure leaves every stored row
        // complete and the counts true; each new row copies formats from the
        // row stored just before it.
        for (int row = m_rows; row < rows; ++row) {
            CellRow cells;
            cells.reserve(static_cast<std::size_t>(m_columns));
            for (int col = 0; col < m_columns; ++col)
                cells.push_back(NewCell(row, col));
            m_rowHeights.push_back(static_cast<unsigned>(m_defaultRowHeight));
            m_cellRows.push_back(std::move(cells));
            m_rows = row + 1;
        }
    }
    CGridAccessible::NotifyShape(this);
    if (m_redrawAllowed)
        viewport()->update();
    return true;
}

bool CGridCtrl::SetColumns(int columns)
{
    if (columns < 0)
        return false;
    if (columns == m_columns)
        return true;
    if (columns < m_fixedColumns)
        m_fixedColumns = columns;
    if (m_focusCell.col >= columns)
        SetFocusPos(-1, -1);

    if (columns < m_columns) {
        for (int row = 0; row < m_rows; ++row)
            for (int col = columns; col < m_columns; ++col)
                DiscardCell(*Cell(row, col), row, col);
        for (CellRow& cells : m_cellRows)
            cells.resize(static_cast<std::size_t>(columns));
        m_columnWidths.resize(static_cast<std::size_t>(columns));
        m_columns = columns;
    } else {
        // Everything that can fail happens before the first change; the commit
        // below only moves pointers into reserved space.
        std::vector<CellRow> added(static_cast<std::size_t>(m_rows));
        for (int row = 0; row < m_rows; ++row) {
            CellRow& cells = added[static_cast<std::size_t>(row)];
            cells.reserve(static_cast<std::size_t>(columns - m_columns));
            for (int col = m_columns; col < columns; ++col)
                cells.push_back(NewCell(row, col));
        }
        m_columnWidths.reserve(static_cast<std::size_t>(columns));
        for (CellRow& cells : m_cellRows)
            cells.reserve(static_cast<std::size_t>(columns));
        for (int row = 0; row < m_rows; ++row)
            for (auto& cell : added[static_cast<std::size_t>(row)])
                m_cellRows[static_cast<std::size_t>(row)].push_back(std::move(cell));
        m_columnWidths.resize(static_cast<std::size_t>(columns), static_cast<unsigned>(m_defaultColumnWidth));
        m_columns = columns;
    }
    CGridAccessible::NotifyShape(this);
    if (m_redrawAllowed)
        viewport()->update();
    return true;
}

bool CGridCtrl::SetFixedRows(int fixedRows)
{
    if (fixedRows < 0)
        return false;
    if (fixedRows > m_rows && !SetRows(fixedRows))
        return false;
    if (m_focusCell.row < fixedRows)
        SetFocusPos(-1, -1);
    m_fixedRows = fixedRows;
    CGridAccessible::NotifyShape(this);
    if (m_redrawAllowed)
        viewport()->update();
    return true;
}

bool CGridCtrl::SetFixedColumns(int fixedColumns)
{
    if (fixedColumns < 0)
        return false;
    if (fixedColumns > m_columns && !SetColumns(fixedColumns))
        return false;
    if (m_focusCell.col < fixedColumns)
        SetFocusPos(-1, -1);
    m_fixedColumns = fixedColumns;
    CGridAccessible::NotifyShape(this);
    if (m_redrawAllowed)
        viewport()->update();
    return true;
}

bool CGridCtrl::SetRowSize(int row, int height)
{
    if (row < 0 || row >= m_rows || height < 0)
        return false;
    m_rowHeights[static_cast<std::size_t>(row)] = static_cast<unsigned>(height);
    return true;
}

bool CGridCtrl::SetColumnSize(int col, int width)
{
    if (col < 0 || col >= m_columns || width < 0)
        return false;
    m_columnWidths[static_cast<std::size_t>(col)] = static_cast<unsigned>(width);
    return true;
}

int CGridCtrl::RowSize(int row) const
{
    if (row < 0 || row >= m_rows)
        return -1;
    return static_cast<int>(std::min<unsigned>(m_rowHeights[static_cast<std::size_t>(row)], INT_MAX));
}

int CGridCtrl::ColumnSize(int col) const
{
    if (col < 0 || col >= m_columns)
        return -1;
    return static_cast<int>(std::min<unsigned>(m_columnWidths[static_cast<std::size_t>(col)], INT_MAX));
}

int CGridCtrl::FixedRowsHeight() const { return Layout().FixedRowsHeight(); }
int CGridCtrl::FixedColumnsWidth() const { return Layout().FixedColumnsWidth(); }
int CGridCtrl::TotalHeight() const { return Layout().TotalHeight(); }
int CGridCtrl::TotalWidth() const { return Layout().TotalWidth(); }

// ---- cells ---------------------------------------------------------------

std::unique_ptr<CellEntry> CGridCtrl::NewCell(int row, int col)
{
    auto cell = std::make_unique<CellEntry>();
    if (row > 0 && col > 0 && col < m_columns)
        cell->format = CellFormat(row - 1, col);
    cell->font = m_logFont;
    return cell;
}

void CGridCtrl::DiscardCell(CellEntry& cell, int row, int col)
{
    SetCellState(row, col, 0);
    cell.text.clear();
}

bool CGridCtrl::SetCellText(int row, int col, const QString& text)
{
    CellEntry* cell = Cell(row, col);
    if (!cell)
        return false;
    if (cell->text == text)
        return true;
    cell->text = text;
    CGridAccessible::NotifyCellText(this, row, col);
    return true;
}

QString CGridCtrl::CellText(int row, int col) const
{
    const CellEntry* cell = Cell(row, col);
    return cell ? cell->text : QString();
}

bool CGridCtrl::SetCellState(int row, int col, unsigned state)
{
    CellEntry* cell = Cell(row, col);
    if (!cell)
        return false;
    const CellPos pos { row, col };
    const bool was = (cell->state & CELL_SELECTED) != 0;
    const bool will = (state & CELL_SELECTED) != 0;
    if (was && !will)
        m_selectedCells.erase(pos);
    else if (!was && will)
        m_selectedCells.insert(pos);
    cell->state = state;
    return true;
}

unsigned CGridCtrl::CellState(int row, int col) const
{
    const CellEntry* cell = Cell(row, col);
    return cell ? cell->state : 0;
}

bool CGridCtrl::SetCellFormat(int row, int col, unsigned format)
{
    CellEntry* cell = Cell(row, col);
    if (!cell)
        return false;
    cell->format = format;
    return true;
}

unsigned CGridCtrl::CellFormat(int row, int col) const
{
    const CellEntry* cell = Cell(row, col);
    return cell ? cell->format : 0;
}

bool CGridCtrl::SetCellTextColor(int row, int col, COLORREF color)
{
    CellEntry* cell = Cell(row, col);
    if (!cell)
        return false;
    cell->textColor = color;
    return true;
}

COLORREF CGridCtrl::CellTextColor(int row, int col) const
{
    const CellEntry* cell = Cell(row, col);
    return cell ? cell->textColor : 0;
}

bool CGridCtrl::SetCellBackColor(int row, int col, COLORREF color)
{
    CellEntry* cell = Cell(row, col);
    if (!cell)
        return false;
    cell->backColor = color;
    return true;
}

COLORREF CGridCtrl::CellBackColor(int row, int col) const
{
    const CellEntry* cell = Cell(row, col);
    return cell ? cell->backColor : 0;
}

bool CGridCtrl::SetCellFont(int row, int col, const QFont& font)
{
    CellEntry* cell = Cell(row, col);
    if (!cell)
        return false;
    cell->font = font;
    return true;
}

const QFont* CGridCtrl::CellFont(int row, int col) const
{
    const CellEntry* cell = Cell(row, col);
    return cell ? &cell->font : nullptr;
}

bool CGridCtrl::SetCellParam(int row, int col, std::intptr_t param)
{
    CellEntry* cell = Cell(row, col);
    if (!cell)
        return false;
    cell->param = param;
    return true;
}

std::intptr_t CGridCtrl::CellParam(int row, int col) const
{
    const CellEntry* cell = Cell(row, col);
    return cell ? cell->param : 0;
}

bool CGridCtrl::SetCellImage(int row, int col, int image)
{
    CellEntry* cell = Cell(row, col);
    if (!cell)
        return false;
    cell->image = image;
    return true;
}

int CGridCtrl::CellImage(int row, int col) const
{
    const CellEntry* cell = Cell(row, col);
    return cell ? cell->image : -1;
}

bool CGridCtrl::SetCellItem(const CellItem& item)
{
    CellEntry* cell = Cell(item.row, item.col);
    if (!cell)
        return false;
    const bool textChanged = (item.mask & ITEM_TEXT) && cell->text != item.text;
    if (item.mask & ITEM_TEXT)
        cell->text = item.text;
    if (item.mask & ITEM_IMAGE)
        cell->image = item.image;
    if (item.mask & ITEM_PARAM)
        cell->param = item.param;
    if (item.mask & ITEM_STATE)
        cell->state = item.state;  // deliberately leaves m_selectedCells alone
    if (item.mask & ITEM_BKCOLOR)
        cell->backColor = item.backColor;
    if (item.mask & ITEM_TEXTCOLOR)
        cell->textColor = item.textColor;
    if (item.mask & ITEM_FORMAT)
        cell->format = item.format;
    if (item.mask & ITEM_FONT)
        cell->font = item.font;
    if (textChanged)
        CGridAccessible::NotifyCellText(this, item.row, item.col);
    return true;
}

bool CGridCtrl::GetCellItem(CellItem& item) const
{
    const CellEntry* cell = Cell(item.row, item.col);
    if (!cell)
        return false;
    if (item.mask & ITEM_TEXT)
        item.text = CellText(item.row, item.col);
    if (item.mask & ITEM_IMAGE)
        item.image = cell->image;
    if (item.mask & ITEM_PARAM)
        item.param = cell->param;
    if (item.mask & ITEM_STATE)
        item.state = cell->state;
    if (item.mask & ITEM_BKCOLOR)
        item.backColor = cell->backColor;
    if (item.mask & ITEM_TEXTCOLOR)
        item.textColor = cell->textColor;
    if (item.mask & ITEM_FORMAT)
        item.format = cell->format;
    if (item.mask & ITEM_FONT)
        item.font = cell->font;
    return true;
}

// ---- painting control, focus, selection ------------------------------------

void CGridCtrl::SetRedrawing(bool allow, bool resetScrollBars)
{
    if (allow && !m_redrawAllowed)
        viewport()->update();
    m_redrawAllowed = allow;
    if (resetScrollBars)
        UpdateScrollBars();
}

bool CGridCtrl::InvalidateCell(int row, int col)
{
    QRect rect;
    if (!m_redrawAllowed || !IsCellShown(row, col) || !CellRect(row, col, rect))
        return false;
    viewport()->update(rect);
    return true;
}

bool CGridCtrl::InvalidateRow(int row)
{
    bool all = true;
    for (int col = 0; col < m_columns; ++col)
        all = InvalidateCell(row, col) && all;
    return all;
}

void CGridCtrl::InvalidateFixedOfColumn(int col)
{
    for (int row = 0; row < m_fixedRows; ++row)
        InvalidateCell(row, col);
}

void CGridCtrl::InvalidateFixedOfRow(int row)
{
    for (int col = 0; col < m_fixedColumns; ++col)
        InvalidateCell(row, col);
}

CellPos CGridCtrl::SetFocusPos(int row, int col)
{
    const CellPos next { row, col };
    if (next == m_focusCell)
        return m_focusCell;
    const CellPos previous = m_focusCell;
    m_focusCell = next;

    if (IsValid(previous)) {
        NotifyParent(previous.row, previous.col, GRIDN_FOCUSLEAVING);
        // The owner may have reshaped the grid while handling the notification.
        if (IsValid(previous)) {
            SetCellState(previous.row, previous.col, CellState(previous.row, previous.col) & ~CELL_FOCUSED);
            InvalidateCell(previous.row, previous.col);
            if (previous.col != col)
                InvalidateFixedOfColumn(previous.col);
            if (previous.row != row)
                InvalidateFixedOfRow(previous.row);
        }
    }
    if (IsValid(next) && m_focusCell == next) {
        SetCellState(row, col, CellState(row, col) | CELL_FOCUSED);
        InvalidateCell(row, col);
        if (previous.col != col)
            InvalidateFixedOfColumn(col);
        if (previous.row != row)
            InvalidateFixedOfRow(row);
        NotifyParent(row, col, GRIDN_FOCUSENTERED);
    }
    CGridAccessible::NotifyFocus(this);
    return previous;
}

void CGridCtrl::ClearSelectionAndFocus()
{
    SelectRange(-1, -1, -1, -1, false);
    SetFocusPos(-1, -1);
}

void CGridCtrl::RedrawCell(CellPos cell, bool paintNow)
{
    if (paintNow) {
        InvalidateCell(cell.row, cell.col);
        return;
    }
    QRect rect;
    if (m_redrawAllowed && IsCellShown(cell.row, cell.col) && CellRect(cell.row, cell.col, rect))
        viewport()->update(rect.adjusted(0, 0, 1, 1));
}

void CGridCtrl::SelectRange(int minRow, int minCol, int maxRow, int maxCol, bool paintNow)
{
    if (!m_selectionEnabled)
        return;
    const CellSpan range { minRow, minCol, maxRow, maxCol };
    const bool rangeValid = range.IsValidIn(m_rows, m_columns);
    const auto inRange = [&](CellPos p) {
        return rangeValid && p.row >= minRow && p.row <= maxRow && p.col >= minCol && p.col <= maxCol;
    };

    // Copies: SetCellState changes the sets while they are walked.
    const std::set<CellPos> selected = m_selectedCells;
    for (const CellPos p : selected) {
        if (!IsValid(p))
            continue;
        SetCellState(p.row, p.col, CellState(p.row, p.col) & ~CELL_SELECTED);
        if (!inRange(p))
            RedrawCell(p, paintNow);
    }
    const std::set<CellPos> previous = m_previousSelection;
    for (const CellPos p : previous) {
        if (!IsValid(p))
            continue;
        SetCellState(p.row, p.col, CellState(p.row, p.col) | CELL_SELECTED);
        RedrawCell(p, paintNow);
    }
    if (!rangeValid)
        return;
    for (int row = minRow; row <= maxRow; ++row)
        for (int col = minCol; col <= maxCol; ++col) {
            if (CellState(row, col) & CELL_SELECTED)
                continue;
            SetCellState(row, col, CellState(row, col) | CELL_SELECTED);
            RedrawCell({ row, col }, paintNow);
        }
}

void CGridCtrl::SetResizeAllowed(bool rows, bool columns)
{
    m_rowResizeAllowed = rows;
    m_columnResizeAllowed = columns;
}

bool CGridCtrl::CanEditCell(int row, int col) const
{
    return m_editingEnabled && !(CellState(row, col) & CELL_READONLY);
}

// ---- layout queries ------------------------------------------------------

CellPos CGridCtrl::TopLeftScrollCell() const { return Layout().TopLeftScrollCell(); }

bool CGridCtrl::CellOrigin(int row, int col, QPoint& origin) const
{
    GridLayout::Point p;
    if (!Layout().CellOrigin(row, col, p))
        return false;
    origin = QPoint(p.x, p.y);
    return true;
}

bool CGridCtrl::CellRect(int row, int col, QRect& rect) const
{
    GridLayout::Rect r;
    if (!Layout().CellRect(row, col, r))
        return false;
    rect = QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
    return true;
}

CellPos CGridCtrl::CellAtPoint(QPoint point, bool allowFixed) const
{
    return Layout().CellAtPoint({ point.x(), point.y() }, allowFixed);
}

CellSpan CGridCtrl::VisibleScrollSpan(QRect* bounds) const
{
    GridLayout::Rect b;
    const CellSpan span = Layout().VisibleScrollSpan(&b);
    if (bounds)
        *bounds = QRect(0, 0, b.right, b.bottom);
    return span;
}

CellSpan CGridCtrl::WholeVisibleScrollSpan() const { return Layout().WholeVisibleScrollSpan(); }

bool CGridCtrl::IsCellShown(int row, int col) const { return Layout().IsCellShown(row, col); }

void CGridCtrl::UpdateScrollBars()
{
    if (!m_redrawAllowed)
        return;
    const GridLayout::ScrollRanges ranges = Layout().ComputeScrollRanges();
    if (!ranges.apply)
        return;
    m_vScrollMax = ranges.vMax;
    m_hScrollMax = ranges.hMax;
    // The stored maxima count the last pixel of the table; the bar itself stops
    // where the last pixel reaches the edge of the page.
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setPageStep(ranges.hPage);
    v->setPageStep(ranges.vPage);
    h->setRange(0, std::max(0, ranges.hMax - ranges.hPage + 1));
    v->setRange(0, std::max(0, ranges.vMax - ranges.vPage + 1));
}

int CGridCtrl::ScrollMax(Qt::Orientation orientation) const
{
    return orientation == Qt::Horizontal ? m_hScrollMax : m_vScrollMax;
}

long CGridCtrl::NotifyParent(int row, int col, int code)
{
    GridNotify notify;
    notify.hdr = { this, ControlId(), code };
    notify.item.row = row;
    notify.item.col = col;
    notify.item.mask = ITEM_ALL;
    GetCellItem(notify.item);
    QRect rect;
    m_lastNotifyRect = CellRect(row, col, rect) ? rect : QRect();
    notify.cellRect = m_lastNotifyRect.isNull()
        ? QRect()
        : m_lastNotifyRect.translated(viewport()->mapToGlobal(QPoint(0, 0)));
    Q_EMIT Notify(&notify);
    return notify.result;
}

void CGridCtrl::SetContextMenu(QMenu* menu)
{
    m_contextMenu = menu;
}

// ---- font and system settings ----------------------------------------------

void CGridCtrl::ApplyFont(const QFont& font)
{
    m_logFont = font;
    for (CellRow& cells : m_cellRows)
        for (auto& cell : cells)
            cell->font = font;
    const QFontMetrics metrics(font, viewport());
    m_margin = metrics.horizontalAdvance(QLatin1Char(' '));
    m_defaultRowHeight = metrics.height() + std::max(0, metrics.leading()) + 2 * m_margin;
    m_defaultColumnWidth = 2 * (m_margin + 6 * metrics.averageCharWidth());
    viewport()->update();
}

void CGridCtrl::ReadSystemColors()
{
    const QPalette& pal = palette();
    m_sysColors = { pal.color(QPalette::Active, QPalette::WindowText),
        pal.color(QPalette::Active, QPalette::Base), pal.color(QPalette::Active, QPalette::Button),
        pal.color(QPalette::Active, QPalette::Dark) };
}

void CGridCtrl::FollowSystemColors()
{
    const std::array<QColor, 4> old = m_sysColors;
    ReadSystemColors();
    // Only colours still following the system change; an owner's choice stays.
    const auto follow = [](QColor& member, const QColor& was, const QColor& now) {
        if (member == was)
            member = now;
    };
    follow(m_textColor, old[0], m_sysColors[0]);
    follow(m_textBackColor, old[1], m_sysColors[1]);
    follow(m_backColor, old[3], m_sysColors[3]);
    follow(m_fixedTextColor, old[0], m_sysColors[0]);
    follow(m_fixedBackColor, old[2], m_sysColors[2]);
    viewport()->update();
}

int CGridCtrl::ReadWheelLines()
{
    // A negative setting, or the largest value a setting can hold, asks for a
    // page per notch.
    const int lines = QApplication::wheelScrollLines();
    return lines < 0 || lines == INT_MAX ? -1 : lines;
}

void CGridCtrl::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
        ApplyFont(font());
        break;
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
        FollowSystemColors();
        m_wheelLines = ReadWheelLines();
        break;
    default:
        break;
    }
}
