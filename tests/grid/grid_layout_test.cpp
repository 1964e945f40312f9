// The grid's geometry without a window: hit testing, origins, the visible
// spans and scroll ranges for the channel table's sizes, scrolled and not.

#include "grid/grid_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

const std::vector<unsigned> kWidths { 40, 80, 70, 80, 70, 70, 60, 70, 70, 73, 70, 70 };  // 823
std::vector<unsigned> Heights()
{
    std::vector<unsigned> h(17, 21);
    h[0] = 28;  // 28 + 16 * 21 = 364
    return h;
}

struct HitCase {
    int hPos, vPos;
    int x, y;
    bool allowFixed;
    CellPos expected;
};

// Shown in test lists as "scroll 0/0 point 40/28 fixed gives 1/1".
void PrintTo(const HitCase& c, std::ostream* out)
{
    *out << "scroll " << c.hPos << "/" << c.vPos << " point " << c.x << "/" << c.y
         << (c.allowFixed ? " fixed" : "") << " gives " << c.expected.row << "/" << c.expected.col;
}

class LayoutHit : public ::testing::TestWithParam<HitCase> {};

TEST_P(LayoutHit, CellAtPoint)
{
    const HitCase& c = GetParam();
    const std::vector<unsigned> heights = Heights();
    const GridLayout layout(heights, kWidths, 1, 1, c.hPos, c.vPos, 400, 150);
    EXPECT_EQ(layout.CellAtPoint({ c.x, c.y }, c.allowFixed), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, LayoutHit,
    ::testing::Values(HitCase { 0, 0, 0, 0, true, { 0, 0 } },
        HitCase { 0, 0, 39, 27, true, { 0, 0 } },
        HitCase { 0, 0, 40, 28, true, { 1, 1 } },
        HitCase { 0, 0, 119, 48, true, { 1, 1 } },
        HitCase { 0, 0, 120, 49, true, { 2, 2 } },
        HitCase { 0, 0, 10, 10, false, { -1, -1 } },
        HitCase { 0, 0, -1, -1, true, { -1, -1 } },
        HitCase { 0, 0, 822, 363, true, { 16, 11 } },
        HitCase { 0, 0, 823, 364, true, { -1, -1 } },
        // Any offset inside a cell shows the next cell first.
        HitCase { 1, 1, 40, 28, true, { 2, 2 } },
        HitCase { 80, 21, 40, 28, true, { 2, 2 } },
        HitCase { 80, 21, 39, 27, true, { 0, 0 } }));

TEST(GridLayout, OriginsAndRectanglesFollowScrolling)
{
    const std::vector<unsigned> heights = Heights();
    const GridLayout top(heights, kWidths, 1, 1, 0, 0, 400, 150);
    GridLayout::Rect rect;
    ASSERT_TRUE(top.CellRect(1, 1, rect));
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 28);
    EXPECT_EQ(rect.right, 119) << "right edge is inclusive";
    EXPECT_EQ(rect.bottom, 48);
    EXPECT_FALSE(top.CellRect(17, 1, rect));
    EXPECT_FALSE(top.CellRect(1, -1, rect));

    const GridLayout scrolled(heights, kWidths, 1, 1, 80, 42, 400, 150);
    EXPECT_EQ(scrolled.TopLeftScrollCell(), (CellPos { 3, 2 }));
    GridLayout::Point origin;
    EXPECT_FALSE(scrolled.CellOrigin(2, 2, origin)) << "scrolled off above";
    EXPECT_FALSE(scrolled.CellOrigin(3, 1, origin)) << "scrolled off to the left";
    ASSERT_TRUE(scrolled.CellOrigin(3, 2, origin));
    EXPECT_EQ(origin.x, 40);
    EXPECT_EQ(origin.y, 28);
    ASSERT_TRUE(scrolled.CellOrigin(0, 3, origin)) << "fixed rows never scroll";
    EXPECT_EQ(origin.x, 40 + 70);
    EXPECT_EQ(origin.y, 0);
    EXPECT_FALSE(scrolled.IsCellShown(2, 2));
    EXPECT_TRUE(scrolled.IsCellShown(0, 0));
}

TEST(GridLayout, VisibleSpansCountPartlyAndWhollyShownCells)
{
    const std::vector<unsigned> heights = Heights();
    // 150 high: rows 1..5 end at 133, row 6 ends at 154 and is cut.
    const GridLayout layout(heights, kWidths, 1, 1, 0, 0, 400, 150);
    GridLayout::Rect bounds;
    const CellSpan partly = layout.VisibleScrollSpan(&bounds);
    EXPECT_EQ(partly.minRow, 1);
    EXPECT_EQ(partly.maxRow, 6);
    EXPECT_EQ(partly.maxCol, 5);  // 40+80+70+80+70 = 340, +70 = 410
    EXPECT_EQ(bounds.right, 400);
    EXPECT_EQ(bounds.bottom, 150);
    const CellSpan whole = layout.WholeVisibleScrollSpan();
    EXPECT_EQ(whole.maxRow, 5);
    EXPECT_EQ(whole.maxCol, 4);
    EXPECT_TRUE(layout.IsCellShown(6, 5));
    EXPECT_FALSE(layout.IsCellShown(7, 1));

    // A client larger than the table: the span ends with the table.
    const GridLayout roomy(heights, kWidths, 1, 1, 0, 0, 1000, 500);
    const CellSpan all = roomy.VisibleScrollSpan(&bounds);
    EXPECT_EQ(all.maxRow, 16);
    EXPECT_EQ(all.maxCol, 11);
    EXPECT_EQ(bounds.right, 823);
    EXPECT_EQ(bounds.bottom, 364);
}

TEST(GridLayout, ScrollRanges)
{
    const std::vector<unsigned> heights = Heights();
    const GridLayout::ScrollRanges small = GridLayout(heights, kWidths, 1, 1, 0, 0, 400, 150).ComputeScrollRanges();
    ASSERT_TRUE(small.apply);
    EXPECT_EQ(small.hPage, 360);
    EXPECT_EQ(small.vPage, 122);
    EXPECT_EQ(small.hMax, 823 - 40 - 1);
    EXPECT_EQ(small.vMax, 364 - 28 - 1);

    const GridLayout::ScrollRanges roomy = GridLayout(heights, kWidths, 1, 1, 0, 0, 1000, 500).ComputeScrollRanges();
    EXPECT_TRUE(roomy.apply);
    EXPECT_EQ(roomy.hMax, 0);
    EXPECT_EQ(roomy.vMax, 0);

    EXPECT_FALSE(GridLayout(heights, kWidths, 1, 1, 0, 0, 30, 500).ComputeScrollRanges().apply)
        << "no room beside the fixed column";
    const std::vector<unsigned> none;
    EXPECT_FALSE(GridLayout(none, none, 0, 0, 0, 0, 400, 150).ComputeScrollRanges().apply);
}

TEST(GridLayout, HugeSizesSaturateInsteadOfOverflowing)
{
    const std::vector<unsigned> huge { static_cast<unsigned>(INT_MAX), static_cast<unsigned>(INT_MAX), 5 };
    const GridLayout layout(huge, huge, 0, 0, 0, 0, 400, 150);
    EXPECT_EQ(layout.TotalWidth(), INT_MAX);
    EXPECT_EQ(layout.TotalHeight(), INT_MAX);
    GridLayout::Rect rect;
    ASSERT_TRUE(layout.CellRect(2, 2, rect));
    EXPECT_EQ(rect.left, INT_MAX);
    EXPECT_EQ(rect.right, INT_MAX);
}

TEST(GridLayout, EmptyGridHasNoCells)
{
    const std::vector<unsigned> none;
    const GridLayout layout(none, none, 0, 0, 0, 0, 400, 150);
    EXPECT_EQ(layout.CellAtPoint({ 5, 5 }, true), (CellPos {}));
    EXPECT_FALSE(layout.IsValid(layout.VisibleScrollSpan()));
    EXPECT_EQ(layout.TotalWidth(), 0);
}

}
