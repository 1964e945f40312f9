// Painted pixels: focus frame, grid lines, raised headers in the focus row and
// column, cell colours, the background past the table, the editor's cell left
// alone, and the printer path without screen decorations.

#include "grid_fixture.h"

#include <QPainter>
#include <QScreen>

namespace {

QString Hex(const QColor& color) { return color.name(); }

QString At(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)).name(); }
QString At(const QImage& image, QPoint p) { return At(image, p.x(), p.y()); }

TEST_F(GridTest, FocusFrameGridLinesAndRaisedHeaders)
{
    grid->SetFocusPos(4, 3);
    const QImage image = Grab();
    QRect cell;
    ASSERT_TRUE(grid->CellRect(4, 3, cell));
    const QColor black(Qt::black);
    EXPECT_EQ(At(image, cell.topLeft()), Hex(black));
    EXPECT_EQ(At(image, cell.right() - 1, cell.bottom() - 1), Hex(black));
    EXPECT_EQ(At(image, cell.right(), cell.center().y()), Hex(grid->m_gridLineColor))
        << "the grid line keeps the cell's last pixel column";
    EXPECT_EQ(At(image, cell.topLeft() + QPoint(2, 2)), Hex(grid->m_textBackColor));

    const QColor dark = grid->palette().color(QPalette::Dark);
    const auto innerCorner = [&](int row, int col) {
        QRect r;
        EXPECT_TRUE(grid->CellRect(row, col, r));
        return At(image, r.right() - 1, r.bottom() - 1);
    };
    EXPECT_EQ(innerCorner(0, 3), Hex(dark)) << "column header of the focus cell is raised";
    EXPECT_EQ(innerCorner(4, 0), Hex(dark)) << "row header of the focus cell is raised";
    EXPECT_EQ(innerCorner(0, 5), Hex(grid->m_fixedBackColor)) << "other headers are flat";
    EXPECT_EQ(innerCorner(7, 0), Hex(grid->m_fixedBackColor));
}

TEST_F(GridTest, CellColoursAndBackgroundPastTheTable)
{
    Make(1000, 500);
    grid->SetCellBackColor(2, 2, MakeColorRef(255, 0, 0));
    grid->SetCellBackColor(0, 4, MakeColorRef(0, 0, 255));
    const QImage image = Grab();
    EXPECT_EQ(At(image, Inner(2, 2)), Hex(QColor(255, 0, 0)));
    EXPECT_EQ(At(image, Inner(0, 4)), Hex(QColor(0, 0, 255))) << "a header with its own colour is filled";
    EXPECT_EQ(At(image, 950, 100), Hex(grid->m_backColor));
    EXPECT_EQ(At(image, 100, 450), Hex(grid->m_backColor));
}

TEST_F(GridTest, EditorCellIsLeftUnpainted)
{
    for (int c = 1; c < 12; ++c)
        grid->SetCellBackColor(3, c, MakeColorRef(255, 0, 0));
    Click(3, 2);  // the begin-edit sets the rectangle the editor covers
    const QRect editor = grid->m_lastNotifyRect;
    ASSERT_FALSE(editor.isEmpty());
    grid->m_cellEditorActive = true;

    QPixmap canvas(grid->viewport()->size());
    canvas.fill(Qt::magenta);
    grid->viewport()->render(&canvas, QPoint(), QRegion(), QWidget::RenderFlags());
    const QImage image = canvas.toImage();
    EXPECT_EQ(At(image, editor.topLeft() + QPoint(3, 3)), Hex(QColor(Qt::magenta)));
    EXPECT_EQ(At(image, editor.bottomRight() - QPoint(1, 1)), Hex(QColor(Qt::magenta)));
    EXPECT_EQ(At(image, Inner(3, 3)), Hex(QColor(255, 0, 0))) << "the rest of the row is painted";

    grid->m_cellEditorActive = false;
    canvas.fill(Qt::magenta);
    grid->viewport()->render(&canvas, QPoint(), QRegion(), QWidget::RenderFlags());
    EXPECT_NE(At(canvas.toImage(), editor.topLeft() + QPoint(3, 3)), Hex(QColor(Qt::magenta)));
}

TEST_F(GridTest, PrinterPathDrawsNoScreenDecorations)
{
    grid->m_selectionEnabled = true;
    grid->SetFocusPos(2, 2);
    grid->SelectRange(2, 2, 2, 3, false);
    grid->SetCellText(2, 2, QString());
    grid->SetCellText(2, 3, QString());
    grid->SetCellText(0, 2, QString());

    QImage page(300, 100, QImage::Format_ARGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    const QRect cell(QPoint(10, 10), QPoint(79, 30));
    EXPECT_TRUE(grid->PaintCell(painter, 2, 2, cell, false, true));
    const QRect selected(QPoint(100, 10), QPoint(169, 30));
    EXPECT_TRUE(grid->PaintCell(painter, 2, 3, selected, false, true));
    const QRect header(QPoint(10, 50), QPoint(79, 77));
    EXPECT_TRUE(grid->PaintFixedCell(painter, 0, 2, header, true, true));
    painter.end();

    EXPECT_EQ(At(page, cell.topLeft()), Hex(grid->m_textBackColor)) << "no focus frame";
    EXPECT_EQ(At(page, selected.center()), Hex(grid->m_textBackColor)) << "no selection colour";
    EXPECT_EQ(At(page, header.center()), Hex(QColor(Qt::white))) << "no header fill";
    EXPECT_EQ(At(page, header.right() - 1, header.bottom() - 1), Hex(QColor(Qt::white))) << "flat, not raised";
    EXPECT_EQ(At(page, header.right(), header.center().y()), Hex(grid->palette().color(QPalette::Shadow)));
}

TEST_F(GridTest, PrintRoutinesDrawHeadingAndBodyLines)
{
    QImage page(900, 60, QImage::Format_ARGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setPen(QPen(Qt::black, 0));
    grid->PrintHeadingRows(painter);
    painter.translate(0, grid->FixedRowsHeight());
    grid->PrintBodyRow(painter, 1);
    painter.end();

    const QColor black(Qt::black);
    EXPECT_EQ(At(page, 100, 0), Hex(black)) << "line along the heading's top";
    EXPECT_EQ(At(page, 100, 27), Hex(black)) << "line under the heading";
    EXPECT_EQ(At(page, 0, 10), Hex(black)) << "left edge";
    EXPECT_EQ(At(page, 39, 10), Hex(black)) << "right edge of column 0";
    EXPECT_EQ(At(page, 100, 28 + 20), Hex(black)) << "line under the body row";
    EXPECT_EQ(At(page, 119, 28 + 10), Hex(black)) << "right edge of column 1 in the body";
    EXPECT_EQ(At(page, 822, 28 + 10), Hex(black)) << "right edge of the table";
    EXPECT_EQ(At(page, 830, 28 + 10), Hex(QColor(Qt::white)));
}

TEST_F(GridTest, NothingIsPaintedWhileRedrawIsOff)
{
    QImage page(100, 40, QImage::Format_ARGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    grid->SetRedrawing(false, false);
    EXPECT_FALSE(grid->PaintCell(painter, 2, 2, QRect(0, 0, 50, 20), true));
    EXPECT_FALSE(grid->PaintFixedCell(painter, 0, 2, QRect(0, 0, 50, 20), true));
    grid->SetRedrawing(true, false);
    EXPECT_FALSE(grid->PaintCell(painter, 40, 2, QRect(0, 0, 50, 20), true)) << "no such cell";
}

}

namespace {

// What the window shows, read back from the screen, against a fresh paint:
// scrolling that moves pixels must end up with the same picture.
class ScreenTest : public GridTest {
protected:
    void SetUp() override { Make(400, 150); }

    QImage Screen()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        return grid->screen()->grabWindow(grid->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    }
    QImage Fresh() { return grid->grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

TEST_F(ScreenTest, LineScrollingMatchesFullRepaint)
{
    grid->SetFocusPos(3, 3);
    const QImage before = Screen();
    ASSERT_FALSE(before.isNull());
    if (before.size() != Fresh().size())
        GTEST_SKIP() << "the platform cannot read back the window";
    ASSERT_EQ(before, Fresh());

    const int codes[] = { CGridCtrl::SB_LINEDOWN, CGridCtrl::SB_LINEDOWN, CGridCtrl::SB_LINEUP };
    for (const int code : codes) {
        grid->OnVScroll(code);
        grid->OnHScroll(code);
        EXPECT_EQ(Screen(), Fresh()) << "after scroll code " << code;
    }
    EXPECT_NE(Screen(), before) << "the picture did move";
}

}
