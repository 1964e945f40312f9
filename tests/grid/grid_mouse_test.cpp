// Mouse on the grid: focus moves, begin-edit on release, header clicks,
// read-only cells, the posted command, selection drags, divider drags and the
// pop-up menu.

#include "grid_fixture.h"

#include <QMenu>

namespace {

TEST_F(GridTest, ClickOnDataCellMovesFocusThenAsksForEditOnRelease)
{
    grid->SetFocusPos(2, 3);
    recorder->notes.clear();
    grid->setProperty("controlId", 1016);

    Click(5, 4);
    Drain();

    const std::vector<Note> expected { Leaving(2, 3), Entered(5, 4), BeginEdit(5, 4), { 0, 1016, -1, {}, 0, {} } };
    EXPECT_EQ(recorder->notes, expected);
    EXPECT_EQ(grid->FocusPos(), (CellPos { 5, 4 }));
}

TEST_F(GridTest, ClickOnFocusCellOnlyAsksForEdit)
{
    grid->SetFocusPos(5, 4);
    recorder->notes.clear();

    Click(5, 4);

    const std::vector<Note> expected { BeginEdit(5, 4) };
    EXPECT_EQ(recorder->notes, expected);
}

struct HeaderCase {
    const char* name;
    int row, col;      // pressed header cell
    CellPos focus;     // focus afterwards
};

void PrintTo(const HeaderCase& c, std::ostream* out)
{
    *out << c.name;
}

class GridHeaderClick : public GridTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(GridHeaderClick, MovesFocusIntoDataAreaWithoutEdit)
{
    const HeaderCase& c = GetParam();
    grid->SetFocusPos(7, 2);
    recorder->notes.clear();

    Click(c.row, c.col);
    Drain();

    EXPECT_EQ(grid->FocusPos(), c.focus);
    ASSERT_EQ(recorder->notes.size(), 3u);
    EXPECT_EQ(recorder->notes[0], Leaving(7, 2));
    EXPECT_EQ(recorder->notes[1], Entered(c.focus.row, c.focus.col));
    EXPECT_EQ(recorder->notes[2].code, 0) << "only the command follows, no begin-edit";
}

INSTANTIATE_TEST_SUITE_P(Headers, GridHeaderClick,
    ::testing::Values(HeaderCase { "column", 0, 4, { 1, 4 } }, HeaderCase { "row", 9, 0, { 9, 1 } },
        HeaderCase { "corner", 0, 0, { 1, 1 } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, ReadOnlyCellTakesFocusButIsNotEdited)
{
    grid->SetCellState(3, 6, grid->CellState(3, 6) | CELL_READONLY);

    Click(3, 6);

    const std::vector<Note> expected { Entered(3, 6) };
    EXPECT_EQ(recorder->notes, expected);
    EXPECT_EQ(grid->StartEdit(3, 6), 0);
}

TEST_F(GridTest, BeginEditCarriesCellAndScreenRectangle)
{
    grid->SetCellState(3, 2, 0x40);  // an owner bit travels along unchanged
    long answer = 0;
    QObject::connect(grid.get(), &CGridCtrl::Notify, grid.get(), [](GridNotify* n) {
        if (n->hdr.code == GRIDN_BEGINEDIT)
            n->result = 7;
    });

    Click(3, 2);

    ASSERT_EQ(recorder->notes.size(), 2u);
    const Note& edit = recorder->notes[1];
    EXPECT_EQ(edit.code, GRIDN_BEGINEDIT);
    EXPECT_EQ(edit.row, 3);
    EXPECT_EQ(edit.col, 2);
    EXPECT_EQ(edit.text, QStringLiteral("3.2"));
    EXPECT_EQ(edit.state, 0x40u | CELL_FOCUSED);
    QRect rect;
    ASSERT_TRUE(grid->CellRect(3, 2, rect));
    EXPECT_EQ(grid->m_lastNotifyRect, rect);
    EXPECT_EQ(edit.cellRect, rect.translated(grid->viewport()->mapToGlobal(QPoint(0, 0))));
    answer = grid->StartEdit(3, 2);
    EXPECT_EQ(answer, 7) << "StartEdit returns the owner's answer";
}

TEST_F(GridTest, PressOutsideEveryCellDoesNothing)
{
    Make(1000, 500);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(950, 450));
    Drain();
    EXPECT_TRUE(recorder->notes.empty());
    EXPECT_EQ(grid->FocusPos(), (CellPos {}));
}

TEST_F(GridTest, DragSelectsBlockAndMovesFocus)
{
    grid->m_selectionEnabled = true;
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, Center(2, 2));
    Move(Center(4, 3), Qt::LeftButton);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, Center(4, 3));

    EXPECT_EQ(grid->SelectedCells().size(), 6u);
    EXPECT_TRUE(grid->CellState(3, 3) & CELL_SELECTED);
    EXPECT_FALSE(grid->CellState(5, 3) & CELL_SELECTED);
    EXPECT_EQ(grid->FocusPos(), (CellPos { 4, 3 }));
    EXPECT_EQ(recorder->notes.back(), BeginEdit(4, 3));

    // The selection shows in the highlight colour, the focus cell does not.
    const QImage image = Grab();
    const QColor highlight = grid->palette().color(QPalette::Highlight);
    EXPECT_EQ(QColor(image.pixel(Inner(2, 2))).name(), highlight.name());
    EXPECT_NE(QColor(image.pixel(Inner(4, 3))).name(), highlight.name());
}

TEST_F(GridTest, ColumnHeaderClickSelectsWholeColumnsWhenSelectionIsOn)
{
    grid->m_selectionEnabled = true;
    Click(0, 3);
    EXPECT_EQ(grid->SelectedCells().size(), 16u);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, Center(0, 5));
    EXPECT_EQ(grid->SelectedCells().size(), 16u * 3u) << "Shift extends from the focus column";
}

struct DividerCase {
    const char* name;
    int row, col;          // header cell whose far edge is dragged
    QPoint grab;           // offset from the cell's bottom-right corner
    QPoint drag;
    int mode;
    Qt::CursorShape cursor;
    int expected;          // new size of the dragged row or column
};

void PrintTo(const DividerCase& c, std::ostream* out)
{
    *out << c.name;
}

class GridDivider : public GridTest, public ::testing::WithParamInterface<DividerCase> {};

TEST_P(GridDivider, DragResizes)
{
    const DividerCase& c = GetParam();
    grid->SetResizeAllowed(true, true);
    QRect rect;
    ASSERT_TRUE(grid->CellRect(c.row, c.col, rect));
    const QPoint edge = rect.bottomRight() + c.grab;
    Move(edge);
    EXPECT_EQ(grid->m_mouseMode, c.mode);
    EXPECT_EQ(grid->viewport()->cursor().shape(), c.cursor);

    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, edge);
    const QPoint to = edge + c.drag;
    Move(to, Qt::LeftButton);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, to);
    Drain();

    const bool column = c.mode == CGridCtrl::MODE_OVER_COLUMN_EDGE;
    EXPECT_EQ(column ? grid->ColumnSize(c.col) : grid->RowSize(c.row), c.expected);
    EXPECT_EQ(grid->m_mouseMode, CGridCtrl::MODE_IDLE);
    EXPECT_EQ(recorder->notes.back().code, 0) << "a divider drag asks for no edit";
}

INSTANTIATE_TEST_SUITE_P(Dividers, GridDivider,
    ::testing::Values(
        DividerCase { "column_wider", 0, 2, { -1, -14 }, { 30, 0 }, CGridCtrl::MODE_OVER_COLUMN_EDGE, Qt::SizeHorCursor, 70 - 2 + 30 },
        DividerCase { "column_narrower", 0, 2, { -1, -14 }, { -40, 0 }, CGridCtrl::MODE_OVER_COLUMN_EDGE, Qt::SizeHorCursor, 70 - 2 - 40 },
        // Dragged left past the column's own left edge: held at the edge, width 0.
        DividerCase { "column_past_origin", 0, 2, { -1, -14 }, { -100, 0 }, CGridCtrl::MODE_OVER_COLUMN_EDGE, Qt::SizeHorCursor, 0 },
        DividerCase { "row_taller", 3, 0, { -20, -1 }, { 0, 15 }, CGridCtrl::MODE_OVER_ROW_EDGE, Qt::SizeVerCursor, 21 - 2 + 15 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, CtrlClickKeepsEarlierSelection)
{
    grid->m_selectionEnabled = true;
    Click(2, 2);
    Click(5, 5, Qt::ControlModifier);
    EXPECT_EQ(grid->SelectedCells(), (std::set<CellPos> { { 2, 2 }, { 5, 5 } }));
    Click(7, 7);
    EXPECT_EQ(grid->SelectedCells(), (std::set<CellPos> { { 7, 7 } }));
}

TEST_F(GridTest, RightButtonShowsMenuOnlyOverSelection)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Read"));
    grid->SetContextMenu(&menu);

    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, Center(2, 2));
    EXPECT_FALSE(menu.isVisible()) << "selection is off in the channel table";

    grid->m_selectionEnabled = true;
    grid->SelectRange(2, 2, 3, 3, false);
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, Center(2, 2));
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
}

}
