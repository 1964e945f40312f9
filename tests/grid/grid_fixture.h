// Shared pieces of the grid tests: a grid that exposes its protected state to
// the tests, a recorder of the notifications and commands it emits, and a
// window shaped like the channel table (17 rows x 12 columns, one fixed row
// and column, the table's column widths and row heights).
#pragma once

#include "grid/grid_ctrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class ProbeGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;
    using CGridCtrl::m_backColor;
    using CGridCtrl::m_defaultColumnWidth;
    using CGridCtrl::m_defaultRowHeight;
    using CGridCtrl::m_fixedBackColor;
    using CGridCtrl::m_gridLineColor;
    using CGridCtrl::m_lastNotifyRect;
    using CGridCtrl::m_logFont;
    using CGridCtrl::m_margin;
    using CGridCtrl::m_mouseMode;
    using CGridCtrl::m_textBackColor;
    using CGridCtrl::m_textColor;
    using CGridCtrl::m_wheelLines;
};

struct Note {
    int code = 0;
    int row = -1;
    int col = -1;
    QString text;
    unsigned state = 0;
    QRect cellRect;

    friend bool operator==(const Note& a, const Note& b)
    {
        return a.code == b.code && a.row == b.row && a.col == b.col;
    }
};

inline std::ostream& operator<<(std::ostream& os, const Note& n)
{
    return os << "{" << n.code << " (" << n.row << "," << n.col << ")}";
}

inline Note Leaving(int row, int col) { return { GRIDN_FOCUSLEAVING, row, col, {}, 0, {} }; }
inline Note Entered(int row, int col) { return { GRIDN_FOCUSENTERED, row, col, {}, 0, {} }; }
inline Note BeginEdit(int row, int col) { return { GRIDN_BEGINEDIT, row, col, {}, 0, {} }; }

// Records what the grid tells its owner, in order; commands are counted
// among the notes with code 0 so their order against notifications shows.
class Recorder {
public:
    explicit Recorder(CGridCtrl& grid)
    {
        QObject::connect(&grid, &CGridCtrl::Notify, &grid, [this](GridNotify* n) {
            notes.push_back({ n->hdr.code, n->item.row, n->item.col, n->item.text, n->item.state, n->cellRect });
        });
        QObject::connect(&grid, &CGridCtrl::GridCommand, &grid,
            [this](int id) { notes.push_back({ 0, id, -1, {}, 0, {} }); });
    }
    std::vector<Note> notes;
};

inline const int kChannelWidths[12] = { 40, 80, 70, 80, 70, 70, 60, 70, 70, 73, 70, 70 };

// Shapes the grid the way the channel table does and fills it with texts.
inline void ShapeLikeChannelTable(CGridCtrl& grid, int channels = 16)
{
    grid.SetRows(channels + 1);
    grid.SetColumns(12);
    grid.SetFixedRows(1);
    grid.SetFixedColumns(1);
    grid.SetResizeAllowed(false, false);
    grid.ClearSelectionAndFocus();
    grid.m_selectionEnabled = false;
    grid.ClearSelectionAndFocus();
    for (int c = 0; c < 12; ++c)
        grid.SetColumnSize(c, kChannelWidths[c]);
    grid.SetRowSize(0, 28);
    for (int r = 1; r <= channels; ++r)
        grid.SetRowSize(r, 21);
    grid.SetRedrawing(false, false);
    for (int c = 0; c < 12; ++c) {
        CellItem item;
        item.row = 0;
        item.col = c;
        item.mask = ITEM_TEXT | ITEM_FORMAT;
        item.format = c <= 4 ? 0x15 : 0x25;
        item.text = QStringLiteral("Col %1").arg(c);
        grid.SetCellItem(item);
    }
    for (int r = 1; r <= channels; ++r)
        for (int c = 0; c < 12; ++c) {
            CellItem item;
            item.row = r;
            item.col = c;
            item.mask = ITEM_TEXT | ITEM_FORMAT;
            item.format = 0x25;
            item.text = c == 0 ? QString::number(r) : QStringLiteral("%1.%2").arg(r).arg(c);
            grid.SetCellItem(item);
        }
    grid.SetRedrawing(true, true);
}

// A shown grid with the channel table's shape; the client area is set
// exactly (no frame) so geometry in the tests is easy to reason about.
class GridTest : public ::testing::Test {
protected:
    void SetUp() override { Make(900, 400); }

    void Make(int clientWidth, int clientHeight, int channels = 16)
    {
        grid = std::make_unique<ProbeGrid>();
        grid->setFrameShape(QFrame::NoFrame);
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->resize(clientWidth, clientHeight);
        ShapeLikeChannelTable(*grid, channels);
        grid->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
        QApplication::processEvents();
        grid->UpdateScrollBars();
        recorder = std::make_unique<Recorder>(*grid);
    }

    QPoint Center(int row, int col) const
    {
        QRect rect;
        EXPECT_TRUE(grid->CellRect(row, col, rect)) << row << "," << col;
        return rect.center();
    }

    // A point just inside the cell's top-left corner, clear of its text.
    QPoint Inner(int row, int col) const
    {
        QRect rect;
        EXPECT_TRUE(grid->CellRect(row, col, rect)) << row << "," << col;
        return rect.topLeft() + QPoint(3, 3);
    }

    void Click(int row, int col, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, mods, Center(row, col));
    }

    // A mouse move sent straight to the viewport: the window system drops a
    // move to where the pointer already is, and every test's window sits at
    // the same place.
    void Move(QPoint point, Qt::MouseButtons buttons = Qt::NoButton)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(point), grid->viewport()->mapToGlobal(QPointF(point)),
            Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &move);
    }

    void Key(int key, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClick(grid.get(), static_cast<Qt::Key>(key), mods);
    }

    // Runs the posted work (commands, wheel scrolls) with a bounded wait.
    static void Drain()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }

    QImage Grab() const { return grid->viewport()->grab().toImage(); }

    std::unique_ptr<ProbeGrid> grid;
    std::unique_ptr<Recorder> recorder;
};
