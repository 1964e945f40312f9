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
    QMouseEvent move(QEvent::MouseMove, QPointF(Center(4, 3)), grid->viewport()->mapToGlobal(QPointF(Center(4, 3))),
        Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
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

TEST_F(GridTest, DividerDragResizesColumn)
{
    grid->SetResizeAllowed(true, true);
    // Right edge of column 2 in the header row.
    QRect rect;
    ASSERT_TRUE(grid->CellRect(0, 2, rect));
    const QPoint edge(rect.right() - 1, rect.center().y());
    QTest::mouseMove(grid->viewport(), edge);
    EXPECT_EQ(grid->m_mouseMode, CGridCtrl::MODE_OVER_COLUMN_EDGE);
    EXPECT_EQ(grid->viewport()->cursor().shape(), Qt::SizeHorCursor);

    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, edge);
    const QPoint to = edge + QPoint(30, 0);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), grid->viewport()->mapToGlobal(QPointF(to)),
        Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, to);

    EXPECT_EQ(grid->ColumnSize(2), to.x() - rect.left());
    EXPECT_EQ(grid->m_mouseMode, CGridCtrl::MODE_IDLE);
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
