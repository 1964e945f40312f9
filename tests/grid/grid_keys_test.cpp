// Keys, scrolling and the wheel: focus moves with their edges, Tab wrap with
// scrolling, Page Down at the end, whole-cell scroll steps.

#include "grid_fixture.h"

#include <climits>

namespace {

struct KeyCase {
    const char* name;
    CellPos start;
    int key;
    Qt::KeyboardModifiers mods;
    CellPos expected;
};

void PrintTo(const KeyCase& c, std::ostream* out)
{
    *out << c.name;
}

class GridKeys : public GridTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(GridKeys, MoveFocus)
{
    const KeyCase& c = GetParam();
    grid->SetFocusPos(c.start.row, c.start.col);
    recorder->notes.clear();

    Key(c.key, c.mods);

    EXPECT_EQ(grid->FocusPos(), c.expected);
    if (c.expected == c.start) {
        EXPECT_TRUE(recorder->notes.empty());
    } else {
        ASSERT_FALSE(recorder->notes.empty());
        EXPECT_EQ(recorder->notes.back(), Entered(c.expected.row, c.expected.col));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, GridKeys,
    ::testing::Values(KeyCase { "down", { 3, 3 }, Qt::Key_Down, {}, { 4, 3 } },
        KeyCase { "down_last_row", { 16, 3 }, Qt::Key_Down, {}, { 16, 3 } },
        KeyCase { "up_first_row", { 1, 3 }, Qt::Key_Up, {}, { 1, 3 } },
        KeyCase { "left_first_column", { 3, 1 }, Qt::Key_Left, {}, { 3, 1 } },
        KeyCase { "right_last_column", { 3, 11 }, Qt::Key_Right, {}, { 3, 11 } },
        KeyCase { "tab", { 3, 5 }, Qt::Key_Tab, {}, { 3, 6 } },
        KeyCase { "tab_wraps", { 3, 11 }, Qt::Key_Tab, {}, { 4, 1 } },
        KeyCase { "tab_last_cell", { 16, 11 }, Qt::Key_Tab, {}, { 16, 11 } },
        KeyCase { "backtab", { 3, 5 }, Qt::Key_Backtab, Qt::ShiftModifier, { 3, 4 } },
        KeyCase { "shift_tab_wraps", { 4, 1 }, Qt::Key_Tab, Qt::ShiftModifier, { 3, 11 } },
        KeyCase { "shift_tab_first_cell", { 1, 1 }, Qt::Key_Backtab, Qt::ShiftModifier, { 1, 1 } },
        KeyCase { "home", { 9, 4 }, Qt::Key_Home, {}, { 1, 4 } },
        KeyCase { "end", { 2, 4 }, Qt::Key_End, {}, { 16, 4 } },
        KeyCase { "page_down_cannot_scroll", { 2, 4 }, Qt::Key_PageDown, {}, { 16, 4 } },
        KeyCase { "page_up_cannot_scroll", { 9, 4 }, Qt::Key_PageUp, {}, { 1, 4 } },
        KeyCase { "letter", { 3, 3 }, Qt::Key_A, {}, { 3, 3 } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridTest, EnterAsksForEditOfFocusCellOnly)
{
    Key(Qt::Key_Return);
    EXPECT_TRUE(recorder->notes.empty()) << "no focus cell, nothing to edit";

    grid->SetFocusPos(6, 7);
    recorder->notes.clear();
    Key(Qt::Key_Enter);
    const std::vector<Note> expected { BeginEdit(6, 7) };
    EXPECT_EQ(recorder->notes, expected);
}

// A client area that shows only part of the table: columns scroll sideways,
// rows scroll down.
class SmallGridTest : public GridTest {
protected:
    void SetUp() override { Make(400, 150); }
    int HPos() const { return grid->horizontalScrollBar()->value(); }
    int VPos() const { return grid->verticalScrollBar()->value(); }
};

TEST_F(SmallGridTest, ScrollRangesFollowTableAndClient)
{
    const int vPage = 150 - 28;
    const int hPage = 400 - 40;
    EXPECT_EQ(grid->ScrollMax(Qt::Vertical), 16 * 21 - 1);
    EXPECT_EQ(grid->verticalScrollBar()->maximum(), 16 * 21 - vPage);
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), (823 - 40) - hPage);

    Make(900, 400);
    EXPECT_EQ(grid->ScrollMax(Qt::Vertical), 0) << "all rows fit";
    EXPECT_EQ(grid->verticalScrollBar()->maximum(), 0);
}

TEST_F(SmallGridTest, LineStepsMoveByWholeCells)
{
    grid->OnHScroll(CGridCtrl::SB_LINEDOWN);
    EXPECT_EQ(HPos(), 80);
    EXPECT_EQ(grid->TopLeftScrollCell().col, 2);
    grid->OnHScroll(CGridCtrl::SB_LINEDOWN);
    EXPECT_EQ(HPos(), 150);
    grid->OnHScroll(CGridCtrl::SB_LINEUP);
    EXPECT_EQ(HPos(), 80);

    grid->OnVScroll(CGridCtrl::SB_BOTTOM);
    const int bottom = VPos();
    EXPECT_EQ(bottom, grid->verticalScrollBar()->maximum());
    grid->OnVScroll(CGridCtrl::SB_LINEDOWN);
    EXPECT_EQ(VPos(), bottom) << "no further than the end";
    const CellSpan whole = grid->WholeVisibleScrollSpan();
    EXPECT_EQ(whole.maxRow, 16) << "the last row is wholly shown at the end";

    grid->OnVScroll(CGridCtrl::SB_TOP);
    EXPECT_EQ(VPos(), 0);
    grid->OnVScroll(CGridCtrl::SB_ENDSCROLL);
    EXPECT_EQ(VPos(), 0);
}

TEST_F(SmallGridTest, ScrollBarArrowsStepByCells)
{
    grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(VPos(), 21);
    grid->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(HPos(), 80);
    grid->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(HPos(), 0);

    grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(VPos(), 21 + (150 - 28)) << "a page is the client height below the heading";
    grid->verticalScrollBar()->setSliderPosition(50);
    EXPECT_EQ(VPos(), 50) << "the thumb goes where it is dragged";
    EXPECT_EQ(grid->TopLeftScrollCell().row, 4) << "and the display starts at the next whole row";
    grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(VPos(), 0);
}

TEST_F(SmallGridTest, TabWrapScrollsDownAndBackToTheLeft)
{
    grid->SetFocusPos(3, 10);
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid->FocusPos(), (CellPos { 3, 11 }));
    ASSERT_GT(HPos(), 0) << "the last column was brought into view";
    EXPECT_TRUE(grid->IsCellShown(3, 11));

    Key(Qt::Key_Tab);
    EXPECT_EQ(grid->FocusPos(), (CellPos { 4, 1 }));
    EXPECT_EQ(HPos(), 0);
    EXPECT_TRUE(grid->IsCellShown(4, 1));
}

TEST_F(SmallGridTest, TabWrapBelowTheLastShownRowScrollsDown)
{
    grid->SetFocusPos(6, 10);
    Key(Qt::Key_Tab);
    ASSERT_EQ(grid->FocusPos(), (CellPos { 6, 11 }));
    ASSERT_GT(HPos(), 0);
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid->FocusPos(), (CellPos { 7, 1 }));
    EXPECT_EQ(HPos(), 0);
    EXPECT_GT(VPos(), 0);
    EXPECT_TRUE(grid->IsCellShown(7, 1));
}

TEST_F(SmallGridTest, ShiftTabWrapScrollsToTheRightEnd)
{
    grid->SetFocusPos(4, 1);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid->FocusPos(), (CellPos { 3, 11 }));
    EXPECT_TRUE(grid->IsCellShown(3, 11));
}

TEST_F(SmallGridTest, PageDownMovesByScrolledRowsThenToLastRow)
{
    grid->SetFocusPos(2, 2);
    Key(Qt::Key_PageDown);
    const int firstJump = grid->FocusPos().row - 2;
    EXPECT_GT(firstJump, 0);
    EXPECT_EQ(grid->TopLeftScrollCell().row, 1 + firstJump);

    for (int i = 0; i < 10 && grid->FocusPos().row != 16; ++i)
        Key(Qt::Key_PageDown);
    EXPECT_EQ(grid->FocusPos().row, 16);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(grid->FocusPos().row, 16) << "at the end the focus stays on the last row";
}

TEST_F(SmallGridTest, DownPastTheBottomScrollsTheRowIn)
{
    grid->SetFocusPos(5, 1);
    const CellSpan before = grid->VisibleScrollSpan();
    for (int i = 5; i < before.maxRow + 1; ++i)
        Key(Qt::Key_Down);
    EXPECT_EQ(grid->FocusPos().row, before.maxRow + 1);
    EXPECT_TRUE(grid->IsCellShown(before.maxRow + 1, 1));
    EXPECT_GT(VPos(), 0);
}

TEST_F(SmallGridTest, WheelScrollsLinesPerNotchAfterEventsRun)
{
    grid->OnVScroll(CGridCtrl::SB_BOTTOM);
    const int top = grid->TopLeftScrollCell().row;
    ASSERT_EQ(grid->m_wheelLines, 3);

    QWheelEvent away(QPointF(50, 50), grid->viewport()->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, 120),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &away);
    EXPECT_EQ(grid->TopLeftScrollCell().row, top) << "the wheel posts its scrolls";
    Drain();
    EXPECT_EQ(grid->TopLeftScrollCell().row, top - 3);

    QWheelEvent toward(QPointF(50, 50), grid->viewport()->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, -120),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &toward);
    Drain();
    EXPECT_EQ(grid->TopLeftScrollCell().row, top);
}

TEST_F(SmallGridTest, WheelScrollsPagesWhenSetToPageAtATime)
{
    const int saved = QApplication::wheelScrollLines();
    QApplication::setWheelScrollLines(INT_MAX);
    struct Restore {
        int lines;
        ~Restore() { QApplication::setWheelScrollLines(lines); }
    } restore { saved };
    Make(400, 150);
    ASSERT_EQ(grid->m_wheelLines, -1);

    QWheelEvent toward(QPointF(50, 50), grid->viewport()->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, -120),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &toward);
    Drain();
    EXPECT_EQ(VPos(), 150 - 28) << "one page down";
}

TEST_F(SmallGridTest, HugeWheelSettingDoesNotFloodTheQueue)
{
    grid->m_wheelLines = 1'000'000'000;
    QWheelEvent toward(QPointF(50, 50), grid->viewport()->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, -120 * 50),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &toward);
    Drain();
    EXPECT_EQ(VPos(), grid->verticalScrollBar()->maximum());
}

}
