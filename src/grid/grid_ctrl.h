// CGridCtrl: the table control of the channel table. It holds a rectangular array
// of text cells with fixed header rows/columns, one focus cell and an optional
// selection, paints them, scrolls by whole cells and follows mouse, keys and wheel.
// It never edits a cell itself: it asks its owner through the Notify signal
// (GRIDN_BEGINEDIT) and the owner lays its own editor over the cell.
//
// Notifications: every GridNotify is delivered synchronously through the Notify
// signal (connect it directly); cellRect is in GLOBAL screen coordinates (use
// mapFromGlobal to place an editor), m_lastNotifyRect keeps the same cell in
// viewport (client) coordinates. The control ID reported in hdr.idFrom is the
// widget's "controlId" property. All calls belong to the GUI thread.
#pragma once

#include "grid/cell_entry.h"
#include "grid/cell_item.h"
#include "grid/cell_pos.h"
#include "grid/cell_span.h"
#include "grid/grid_layout.h"
#include "grid/grid_notify.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QPointer>
#include <QRect>

#include <array>
#include <memory>
#include <set>
#include <vector>

class QMenu;
class QPainter;

class CGridCtrl : public QAbstractScrollArea {
    Q_OBJECT

public:
    enum GridLines { LINES_NONE = 0, LINES_HORZ = 1, LINES_VERT = 2, LINES_BOTH = 3 };
    enum MouseMode {
        MODE_IDLE = 0,
        MODE_SELECT_ALL = 1,
        MODE_SELECT_COLUMNS = 2,
        MODE_SELECT_ROWS = 3,
        MODE_SELECT_CELLS = 4,
        MODE_OVER_ROW_EDGE = 5,
        MODE_SIZING_ROW = 6,
        MODE_OVER_COLUMN_EDGE = 7,
        MODE_SIZING_COLUMN = 8,
    };
    // Scroll request codes for OnHScroll/OnVScroll (line, page, thumb, ends).
    enum ScrollCode {
        SB_LINEUP = 0,
        SB_LINEDOWN = 1,
        SB_PAGEUP = 2,
        SB_PAGEDOWN = 3,
        SB_THUMBPOSITION = 4,
        SB_THUMBTRACK = 5,
        SB_TOP = 6,
        SB_BOTTOM = 7,
        SB_ENDSCROLL = 8,
    };

    explicit CGridCtrl(int rows = 0, int columns = 0, int fixedRows = 0, int fixedColumns = 0,
        QWidget* parent = nullptr);
    ~CGridCtrl() override;

    // Shape and sizes. An allocation failure while reshaping throws
    // std::bad_alloc; the grid then stays consistent with the counts stored so far.
    bool SetRows(int rows);
    bool SetColumns(int columns);
    bool SetFixedRows(int fixedRows);
    bool SetFixedColumns(int fixedColumns);
    int Rows() const { return m_rows; }
    int Columns() const { return m_columns; }
    int FixedRows() const { return m_fixedRows; }
    int FixedColumns() const { return m_fixedColumns; }
    bool SetRowSize(int row, int height);
    bool SetColumnSize(int col, int width);
    int RowSize(int row) const;
    int ColumnSize(int col) const;
    int FixedRowsHeight() const;
    int FixedColumnsWidth() const;
    int TotalHeight() const;
    int TotalWidth() const;

    // Cell attributes: setters refuse (false) and getters fall back outside the
    // grid; none of them repaints.
    bool SetCellText(int row, int col, const QString& text);
    virtual QString CellText(int row, int col) const;
    bool SetCellState(int row, int col, unsigned state);
    unsigned CellState(int row, int col) const;
    bool SetCellFormat(int row, int col, unsigned format);
    unsigned CellFormat(int row, int col) const;
    bool SetCellTextColor(int row, int col, COLORREF color);
    COLORREF CellTextColor(int row, int col) const;
    bool SetCellBackColor(int row, int col, COLORREF color);
    COLORREF CellBackColor(int row, int col) const;
    bool SetCellFont(int row, int col, const QFont& font);
    const QFont* CellFont(int row, int col) const;
    bool SetCellParam(int row, int col, std::intptr_t param);
    std::intptr_t CellParam(int row, int col) const;
    bool SetCellImage(int row, int col, int image);
    int CellImage(int row, int col) const;
    bool SetCellItem(const CellItem& item);
    bool GetCellItem(CellItem& item) const;

    // Painting control, focus, selection, editing permission.
    void SetRedrawing(bool allow, bool resetScrollBars);
    bool InvalidateCell(int row, int col);
    bool InvalidateRow(int row);
    CellPos SetFocusPos(int row, int col);
    CellPos FocusPos() const { return m_focusCell; }
    void ClearSelectionAndFocus();
    void SelectRange(int minRow, int minCol, int maxRow, int maxCol, bool paintNow);
    const std::set<CellPos>& SelectedCells() const { return m_selectedCells; }
    void SetResizeAllowed(bool rows, bool columns);
    bool CanEditCell(int row, int col) const;

    // Layout queries; they follow the scroll position.
    CellPos TopLeftScrollCell() const;
    bool CellOrigin(int row, int col, QPoint& origin) const;
    bool CellRect(int row, int col, QRect& rect) const;
    CellPos CellAtPoint(QPoint point, bool allowFixed) const;
    CellSpan VisibleScrollSpan(QRect* bounds = nullptr) const;
    CellSpan WholeVisibleScrollSpan() const;
    bool IsCellShown(int row, int col) const;
    void UpdateScrollBars();
    int ScrollMax(Qt::Orientation orientation) const;

    long NotifyParent(int row, int col, int code);
    void BringIntoView(int row, int col);
    void OnHScroll(int code);
    void OnVScroll(int code);

    // The pop-up shown by a right-button release over a selection (the main
    // window's programming menu); the grid does not own it.
    void SetContextMenu(QMenu* menu);

    virtual void OnRowHeaderClick(CellPos cell);
    virtual void OnColumnHeaderClick(CellPos cell);
    virtual long StartEdit(int row, int col);

    // Painters shared by screen and printer. The rectangle is the cell's,
    // right/bottom inclusive; when printing there is no focus frame, no
    // selection colour, no raised edge and no header fill.
    virtual void PaintGrid(QPainter& painter);
    virtual bool PaintFixedCell(QPainter& painter, int row, int col, const QRect& rect, bool erase,
        bool printing = false);
    virtual bool PaintCell(QPainter& painter, int row, int col, const QRect& rect, bool erase,
        bool printing = false);

    // Page pieces for printing, in the grid's own pixel units: the heading rows
    // laid out from (0, 0), and one body row laid out from (0, 0) to its height.
    // The cells' frame lines use the painter's current pen (a cosmetic black
    // pen gives hairlines at any page scale); the caller moves the origin
    // between rows.
    void PrintHeadingRows(QPainter& painter);
    void PrintBodyRow(QPainter& painter, int row);

    bool m_selectionEnabled = true;
    bool m_cellEditorActive = false;

Q_SIGNALS:
    // A notification for the owner; delivered synchronously.
    void Notify(GridNotify* notify);
    // Posted after a left-button release whose press hit a cell.
    void GridCommand(int controlId);

protected:
    virtual std::unique_ptr<CellEntry> NewCell(int row, int col);
    virtual void DiscardCell(CellEntry& cell, int row, int col);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

    // Settings and state.
    QColor m_textColor;
    QColor m_textBackColor;
    QColor m_backColor;
    QColor m_fixedTextColor;
    QColor m_fixedBackColor;
    QColor m_gridLineColor;
    std::array<QColor, 4> m_sysColors;  // window text, window, button face, shadow
    int m_gridLines = LINES_BOTH;
    bool m_editingEnabled = true;
    bool m_redrawAllowed = true;
    bool m_tabHandled = true;
    bool m_rowResizeAllowed = true;
    bool m_columnResizeAllowed = true;
    QRect m_lastNotifyRect;
    int m_rows = 0;
    int m_columns = 0;
    int m_fixedRows = 0;
    int m_fixedColumns = 0;
    int m_margin = 0;
    int m_defaultRowHeight = 30;
    int m_defaultColumnWidth = 64;
    int m_vScrollMax = 0;
    int m_hScrollMax = 0;
    QFont m_logFont;
    CellPos m_focusCell;
    std::set<CellPos> m_selectedCells;
    std::set<CellPos> m_previousSelection;
    CellPos m_selectionStart;
    CellPos m_downCell;
    int m_mouseMode = MODE_IDLE;
    QPoint m_downPoint;
    QPoint m_lastPoint;
    int m_resizeCaptureRange = 3;
    int m_wheelLines = 3;  // lines per wheel notch; -1 scrolls a page per notch

private:
    using CellRow = std::vector<std::unique_ptr<CellEntry>>;

    CellEntry* Cell(int row, int col);
    const CellEntry* Cell(int row, int col) const;
    bool IsValid(CellPos cell) const;
    GridLayout Layout() const;
    void ApplyFont(const QFont& font);
    void ReadSystemColors();
    void FollowSystemColors();
    static int ReadWheelLines();
    void RedrawCell(CellPos cell, bool paintNow);
    void InvalidateFixedOfColumn(int col);
    void InvalidateFixedOfRow(int row);
    void InvalidateClient(const QRect& rect);
    void SelectingStep(CellPos cell);
    void HoverMove(QPoint point);
    void DragMove(QPoint point);
    void InvertBand(const QRect& band);
    void ScrollAxis(Qt::Orientation orientation, int code);
    void OnScrollBarAction(Qt::Orientation orientation, int action);
    void PostScroll(Qt::Orientation orientation, int code);
    int ControlId() const;

    std::vector<CellRow> m_cellRows;
    std::vector<unsigned> m_rowHeights;
    std::vector<unsigned> m_columnWidths;
    QPointer<QMenu> m_contextMenu;
    QRect m_trackBand;          // the divider tracking band while it is shown
    QPoint m_sizingOrigin;      // origin of the row or column being sized
    bool m_ownScroll = false;   // a scroll we are carrying out repaints by itself
};
