// The grid's model: shape changes with their focus and format rules, cell
// attributes and their fallbacks, selection bookkeeping and the font rules.

#include "grid_fixture.h"

namespace {

// A grid that is not shown: the model alone.
class GridModel : public ::testing::Test {
protected:
    GridModel()
        : grid(4, 5, 1, 1)
        , recorder(grid)
    {
    }
    ProbeGrid grid;
    Recorder recorder;
};

TEST_F(GridModel, SetRowsWithSameCountChangesNothing)
{
    grid.SetFocusPos(2, 3);
    recorder.notes.clear();
    grid.SetRowSize(2, 33);
    EXPECT_TRUE(grid.SetRows(4));
    EXPECT_EQ(grid.FocusPos(), (CellPos { 2, 3 }));
    EXPECT_EQ(grid.RowSize(2), 33);
    EXPECT_TRUE(recorder.notes.empty());
}

TEST_F(GridModel, ShrinkingBelowFocusRowLeavesNoFocus)
{
    grid.SetFocusPos(3, 2);
    recorder.notes.clear();
    EXPECT_TRUE(grid.SetRows(3));
    const std::vector<Note> expected { Leaving(3, 2) };
    EXPECT_EQ(recorder.notes, expected);
    EXPECT_EQ(grid.FocusPos(), (CellPos {}));
    EXPECT_EQ(grid.CellText(3, 2), QString());
}

TEST_F(GridModel, ShrinkingRemovesSelectedCellsFromSelection)
{
    grid.SelectRange(1, 1, 3, 4, false);
    EXPECT_EQ(grid.SelectedCells().size(), 12u);
    grid.SetRows(2);
    EXPECT_EQ(grid.SelectedCells().size(), 4u);
    grid.SetColumns(3);
    EXPECT_EQ(grid.SelectedCells().size(), 2u);
}

TEST_F(GridModel, FixedCountsClearFocusAndGrowTheGrid)
{
    grid.SetFocusPos(2, 2);
    EXPECT_TRUE(grid.SetFixedRows(3));
    EXPECT_EQ(grid.FocusPos(), (CellPos {}));
    EXPECT_TRUE(grid.SetFixedColumns(7));
    EXPECT_EQ(grid.Columns(), 7);
    EXPECT_EQ(grid.FixedColumns(), 7);
    EXPECT_TRUE(grid.SetRows(2));
    EXPECT_EQ(grid.FixedRows(), 2) << "fixed rows shrink with the grid";
}

TEST_F(GridModel, NegativeCountsAreRefused)
{
    EXPECT_FALSE(grid.SetRows(-1));
    EXPECT_FALSE(grid.SetColumns(-3));
    EXPECT_FALSE(grid.SetFixedRows(-1));
    EXPECT_FALSE(grid.SetFixedColumns(-1));
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.Columns(), 5);
    EXPECT_EQ(grid.FixedRows(), 1);
}

TEST_F(GridModel, NewRowsCopyFormatFromCellAbove)
{
    grid.SetCellFormat(3, 2, 0x25);
    grid.SetCellFormat(3, 0, 0x25);
    grid.SetRows(6);
    EXPECT_EQ(grid.CellFormat(4, 2), 0x25u);
    EXPECT_EQ(grid.CellFormat(5, 2), 0x25u) << "second new row copies the first new row";
    EXPECT_EQ(grid.CellFormat(4, 0), 0u) << "column 0 never copies";
    EXPECT_EQ(grid.CellFormat(4, 1), 0u);

    grid.SetColumns(7);
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(grid.CellFormat(r, 5), 0u);
        EXPECT_EQ(grid.CellFormat(r, 6), 0u);
    }
}

TEST_F(GridModel, NewCellsStartWithDefaults)
{
    grid.SetRows(5);
    EXPECT_EQ(grid.CellImage(4, 1), -1);
    EXPECT_EQ(grid.CellBackColor(4, 1), CLR_DEFAULT);
    EXPECT_EQ(grid.CellTextColor(4, 1), CLR_DEFAULT);
    EXPECT_EQ(grid.CellParam(4, 1), 0);
    EXPECT_EQ(grid.CellState(4, 1), 0u);
    ASSERT_NE(grid.CellFont(4, 1), nullptr);
    EXPECT_EQ(*grid.CellFont(4, 1), grid.m_logFont);
    EXPECT_EQ(grid.RowSize(4), grid.m_defaultRowHeight);
}

TEST_F(GridModel, OutsideTheGridSettersRefuseAndGettersFallBack)
{
    for (const CellPos p : { CellPos { 4, 0 }, CellPos { 0, 5 }, CellPos { -1, 0 }, CellPos { 0, -1 }, CellPos { 96, 1 } }) {
        EXPECT_FALSE(grid.SetCellText(p.row, p.col, QStringLiteral("x")));
        EXPECT_FALSE(grid.SetCellState(p.row, p.col, 1));
        EXPECT_FALSE(grid.SetCellFormat(p.row, p.col, 1));
        EXPECT_FALSE(grid.SetCellTextColor(p.row, p.col, 1));
        EXPECT_FALSE(grid.SetCellBackColor(p.row, p.col, 1));
        EXPECT_FALSE(grid.SetCellFont(p.row, p.col, QFont()));
        EXPECT_FALSE(grid.SetCellParam(p.row, p.col, 1));
        EXPECT_FALSE(grid.SetCellImage(p.row, p.col, 1));
        EXPECT_EQ(grid.CellText(p.row, p.col), QString());
        EXPECT_EQ(grid.CellState(p.row, p.col), 0u);
        EXPECT_EQ(grid.CellFormat(p.row, p.col), 0u);
        EXPECT_EQ(grid.CellTextColor(p.row, p.col), 0u);
        EXPECT_EQ(grid.CellBackColor(p.row, p.col), 0u);
        EXPECT_EQ(grid.CellFont(p.row, p.col), nullptr);
        EXPECT_EQ(grid.CellParam(p.row, p.col), 0);
        EXPECT_EQ(grid.CellImage(p.row, p.col), -1);
        CellItem item;
        item.row = p.row;
        item.col = p.col;
        item.mask = ITEM_ALL;
        EXPECT_FALSE(grid.SetCellItem(item));
        EXPECT_FALSE(grid.GetCellItem(item));
    }
}

struct SizeCase {
    int index;
    int size;
    bool accepted;
};

TEST_F(GridModel, RowAndColumnSizes)
{
    const SizeCase cases[] = { { 1, 0, true }, { 1, 25, true }, { 1, -1, false }, { 4, 20, false }, { -1, 20, false } };
    for (const SizeCase& c : cases) {
        EXPECT_EQ(grid.SetRowSize(c.index, c.size), c.accepted) << c.index << " " << c.size;
        if (c.accepted) {
            EXPECT_EQ(grid.RowSize(c.index), c.size);
        }
    }
    EXPECT_EQ(grid.RowSize(4), -1);
    EXPECT_FALSE(grid.SetColumnSize(5, 10));
    EXPECT_EQ(grid.ColumnSize(5), -1);
    grid.SetColumnSize(0, 40);
    for (int c = 1; c < 5; ++c)
        grid.SetColumnSize(c, 10 * c);
    EXPECT_EQ(grid.FixedColumnsWidth(), 40);
    EXPECT_EQ(grid.TotalWidth(), 40 + 100);
}

TEST_F(GridModel, CellItemRoundTripAndSelectionBookkeeping)
{
    CellItem in;
    in.row = 2;
    in.col = 3;
    in.mask = ITEM_TEXT | ITEM_FORMAT | ITEM_STATE | ITEM_PARAM | ITEM_BKCOLOR;
    in.text = QStringLiteral("145.50000");
    in.format = 0x25;
    in.state = CELL_SELECTED | 0x40;
    in.param = 99;
    in.backColor = MakeColorRef(1, 2, 3);
    in.image = 5;  // not in the mask
    ASSERT_TRUE(grid.SetCellItem(in));
    EXPECT_TRUE(grid.SelectedCells().empty()) << "SetCellItem stores the bit only";

    CellItem out;
    out.row = 2;
    out.col = 3;
    out.mask = ITEM_ALL;
    ASSERT_TRUE(grid.GetCellItem(out));
    EXPECT_EQ(out.text, in.text);
    EXPECT_EQ(out.format, 0x25u);
    EXPECT_EQ(out.state, CELL_SELECTED | 0x40u);
    EXPECT_EQ(out.param, 99);
    EXPECT_EQ(out.backColor, MakeColorRef(1, 2, 3));
    EXPECT_EQ(out.image, -1);

    grid.SetCellState(1, 1, CELL_SELECTED);
    EXPECT_EQ(grid.SelectedCells().count(CellPos { 1, 1 }), 1u);
    grid.SetCellState(1, 1, CELL_READONLY);
    EXPECT_TRUE(grid.SelectedCells().empty());
}

TEST_F(GridModel, SelectRangeReplacesSelection)
{
    grid.SelectRange(1, 1, 2, 2, false);
    EXPECT_EQ(grid.SelectedCells().size(), 4u);
    grid.SelectRange(3, 4, 3, 4, true);
    EXPECT_EQ(grid.SelectedCells(), (std::set<CellPos> { { 3, 4 } }));
    EXPECT_FALSE(grid.CellState(1, 1) & CELL_SELECTED);
    grid.SelectRange(3, 4, 2, 4, false);  // reversed: clears only
    EXPECT_TRUE(grid.SelectedCells().empty());
}

TEST_F(GridModel, SelectionOffLeavesSelectionButClearsFocus)
{
    grid.SelectRange(1, 1, 2, 2, false);
    grid.SetFocusPos(2, 2);
    grid.m_selectionEnabled = false;
    grid.SelectRange(1, 1, 3, 3, false);
    EXPECT_EQ(grid.SelectedCells().size(), 4u);
    grid.ClearSelectionAndFocus();
    EXPECT_EQ(grid.SelectedCells().size(), 4u);
    EXPECT_EQ(grid.FocusPos(), (CellPos {}));
}

TEST_F(GridModel, FocusMovesStateBitAndNotifiesOnce)
{
    EXPECT_EQ(grid.SetFocusPos(1, 1), (CellPos {}));
    EXPECT_EQ(grid.SetFocusPos(2, 3), (CellPos { 1, 1 }));
    EXPECT_EQ(grid.SetFocusPos(2, 3), (CellPos { 2, 3 })) << "same cell: returned, nothing sent";
    const std::vector<Note> expected { Entered(1, 1), Leaving(1, 1), Entered(2, 3) };
    EXPECT_EQ(recorder.notes, expected);
    EXPECT_EQ(recorder.notes[1].state & CELL_FOCUSED, CELL_FOCUSED) << "old cell still focused when told";
    EXPECT_FALSE(grid.CellState(1, 1) & CELL_FOCUSED);
    EXPECT_TRUE(grid.CellState(2, 3) & CELL_FOCUSED);
}

TEST_F(GridModel, CellTextBeyondLastRowIsEmpty)
{
    grid.SetCellText(3, 1, QStringLiteral("x"));
    EXPECT_EQ(grid.CellText(3, 1), QStringLiteral("x"));
    for (int r = 4; r <= 96; ++r)
        EXPECT_TRUE(grid.CellText(r, 1).isEmpty());
}

TEST_F(GridModel, EditingPermission)
{
    EXPECT_TRUE(grid.CanEditCell(2, 2));
    grid.SetCellState(2, 2, CELL_READONLY);
    EXPECT_FALSE(grid.CanEditCell(2, 2));
}

TEST_F(GridModel, FontReplacesCellFontsAndDefaultsButKeepsSizes)
{
    grid.SetRowSize(2, 40);
    grid.SetColumnSize(3, 55);
    QFont custom = grid.font();
    custom.setBold(true);
    grid.SetCellFont(1, 1, custom);
    const int oldDefaultHeight = grid.m_defaultRowHeight;

    QFont big = grid.font();
    big.setPixelSize(40);
    grid.setFont(big);

    EXPECT_EQ(grid.m_logFont, big);
    EXPECT_EQ(*grid.CellFont(1, 1), big);
    EXPECT_EQ(*grid.CellFont(3, 4), big);
    const QFontMetrics metrics(big);
    EXPECT_EQ(grid.m_margin, metrics.horizontalAdvance(QLatin1Char(' ')));
    EXPECT_EQ(grid.m_defaultColumnWidth, 2 * (grid.m_margin + 6 * metrics.averageCharWidth()));
    EXPECT_GT(grid.m_defaultRowHeight, oldDefaultHeight);
    EXPECT_EQ(grid.RowSize(2), 40);
    EXPECT_EQ(grid.ColumnSize(3), 55);
    grid.SetRows(5);
    EXPECT_EQ(grid.RowSize(4), grid.m_defaultRowHeight);
}

TEST_F(GridModel, PaletteChangeFollowsOnlyColoursTakenFromIt)
{
    const QColor oldLines = grid.m_gridLineColor;
    grid.m_backColor = Qt::darkGreen;  // an owner's choice
    QPalette pal = grid.palette();
    pal.setColor(QPalette::Base, QColor(250, 240, 200));
    pal.setColor(QPalette::Dark, QColor(10, 20, 30));
    grid.setPalette(pal);
    EXPECT_EQ(grid.m_textBackColor, QColor(250, 240, 200));
    EXPECT_EQ(grid.m_backColor, QColor(Qt::darkGreen));
    EXPECT_EQ(grid.m_gridLineColor, oldLines);
}

TEST(GridShown, InvalidateRowOffScreenFails)
{
    ProbeGrid grid(40, 3, 1, 1);
    grid.setFrameShape(QFrame::NoFrame);
    grid.resize(300, 120);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    EXPECT_TRUE(grid.InvalidateRow(1));
    EXPECT_FALSE(grid.InvalidateRow(39));
    grid.SetRedrawing(false, false);
    EXPECT_FALSE(grid.InvalidateRow(1));
}

}
