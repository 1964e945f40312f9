// The printed channel table: which rows land on which page, the date line
// and heading on every page, rows directly below the heading without gaps,
// and the table spanning the paper width at any grid width.

#include "printing/print_fixture.h"

#include "grid/grid_ctrl.h"
#include "platform/ui/print_driver.h"

#include <QColor>
#include <QFontInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <ostream>
#include <string>
#include <vector>

namespace {

std::vector<int> Range(int first, int last)
{
    std::vector<int> values(static_cast<std::size_t>(last - first + 1));
    std::iota(values.begin(), values.end(), first);
    return values;
}

std::vector<int> AllBut(std::vector<int> values, std::initializer_list<int> gone)
{
    for (int g : gone)
        values.erase(std::remove(values.begin(), values.end(), g), values.end());
    return values;
}

std::string FirstLine(const std::string& text)
{
    const std::size_t start = text.find_first_not_of(" \n\f");
    if (start == std::string::npos)
        return {};
    const std::size_t end = text.find('\n', start);
    std::string line = text.substr(start, end - start);
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

struct PageCase
{
    const char* name;
    std::vector<int> channels; // channels in use in the document, or
    int gridRows; // a grid driven directly with this many rows
    std::vector<std::vector<int>> pages; // the row labels expected on each page
};

void PrintTo(const PageCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrintedPages : public PrintFixture, public ::testing::WithParamInterface<PageCase>
{
};

TEST_P(PrintedPages, HoldTheirRowsInChannelOrderUnderDateAndHeading)
{
    const PageCase& c = GetParam();
    UseChannels(c.channels);
    if (c.gridRows > 0)
        UseGridRows(c.gridRows);

    const std::string pdf = PrintPdf();
    ASSERT_EQ(PdfPageCount(pdf), static_cast<int>(c.pages.size()));
    const std::vector<std::string> dates = DateLinesNearNow();
    for (std::size_t p = 0; p < c.pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const std::string text = PdfPageText(pdf, static_cast<int>(p + 1));
        EXPECT_NE(std::find(dates.begin(), dates.end(), FirstLine(text)), dates.end())
            << "first line: " << FirstLine(text);
        EXPECT_NE(text.find("RX Frequency"), std::string::npos);
        EXPECT_EQ(PrintedLabels(text), c.pages[p]);
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, PrintedPages,
    ::testing::Values(PageCase { "NoChannelInUse", {}, 0, { {} } },
        PageCase {
            "FourteenOfSixteen", AllBut(Range(1, 16), { 3, 7 }), 0, { AllBut(Range(1, 16), { 3, 7 }) } },
        PageCase { "ThirtyFive", {}, 35, { Range(1, 35) } },
        PageCase { "ThirtySix", {}, 36, { Range(1, 35), { 36 } } },
        PageCase { "SeventyFive", {}, 75, { Range(1, 35), Range(36, 70), Range(71, 75) } },
        // Rows past 96 are never printed, however many the grid has.
        PageCase { "HundredRowGrid", {}, 100, { Range(1, 35), Range(36, 70), Range(71, 96) } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintFixture, ChannelWithoutReceiveTextIsNotPrintedEvenWithOtherCells)
{
    UseChannels(Range(1, 16));
    Grid()->SetCellText(5, 1, QString());
    Grid()->SetCellText(5, 3, QStringLiteral("TXONLY"));

    const std::string pdf = PrintPdf();
    const std::string text = PdfPageText(pdf, 1);
    EXPECT_EQ(PrintedLabels(text), AllBut(Range(1, 16), { 5 }));
    EXPECT_EQ(text.find("TXONLY"), std::string::npos);
}

// The page geometry measured on the rendered page.
struct Geometry
{
    int left = -1; // first and last dark column below the date line
    int right = -1;
    std::vector<int> rules; // the top row of each horizontal rule across the table
};

bool Dark(QRgb pixel)
{
    return qGray(pixel) < 140;
}

Geometry Measure(const QImage& image, int fromY)
{
    Geometry g;
    g.left = image.width();
    for (int y = fromY; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (Dark(image.pixel(x, y))) {
                g.left = std::min(g.left, x);
                g.right = std::max(g.right, x);
            }
        }
    }
    const int span = g.right - g.left + 1;
    bool inRule = false;
    for (int y = fromY; y < image.height(); ++y) {
        int dark = 0;
        for (int x = g.left; x <= g.right; ++x)
            dark += Dark(image.pixel(x, y)) ? 1 : 0;
        const bool rule = dark > span * 9 / 10;
        if (rule && !inRule)
            g.rules.push_back(y);
        inRule = rule;
    }
    return g;
}

class PrintedGeometry : public PrintFixture, public ::testing::WithParamInterface<int>
{
};

TEST_P(PrintedGeometry, TableSpansThePaperWidthAndRowsFollowTheHeadingWithoutGaps)
{
    constexpr int kDpi = 150;
    UseChannels(AllBut(Range(1, 16), { 3, 7 }));
    Grid()->SetColumnSize(1, GetParam());
    const std::string pdf = PrintPdf();
    const QImage page = PdfPageImage(pdf, 1, kDpi);
    ASSERT_FALSE(page.isNull());

    // Image pixels per printer pixel, and per grid pixel under the page mapping.
    const QPrinter& printer = AppPrinter();
    const double toImage = double(kDpi) / printer.resolution();
    ASSERT_GT(view->m_charWidth, 0);
    ASSERT_GT(view->m_logicalWidth, Grid()->TotalWidth());
    const double scale = double(view->m_pageWidth) / view->m_logicalWidth * toImage;
    EXPECT_EQ(view->m_logicalHeight,
        std::lround(double(view->m_logicalWidth) * view->m_pageHeight / view->m_pageWidth));

    // The paper's printable area starts at the page margins; the table at
    // four character widths of the measuring font further in, scaled.
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    const double margin = view->m_leftMarginChars * view->m_charWidth * scale;
    const double tableLeft = paint.left() * toImage + margin;
    const double tableRight = tableLeft + Grid()->TotalWidth() * scale;
    const double paperRight = (paint.left() + view->m_pageWidth) * toImage;
    EXPECT_NEAR(paperRight - tableRight, view->m_rightMarginChars * view->m_charWidth * scale, 1.0);

    const int headingTop = static_cast<int>(paint.top() * toImage + Grid()->FixedRowsHeight() * scale);
    const Geometry g = Measure(page, headingTop - 2);
    EXPECT_NEAR(g.left, tableLeft, 2.5);
    EXPECT_NEAR(g.right, tableRight, 2.5);

    // The heading's top and bottom, then the bottom of each of the 14 rows.
    ASSERT_EQ(g.rules.size(), 16u);
    EXPECT_NEAR(g.rules[0], headingTop, 2.5);
    EXPECT_NEAR(g.rules[1] - g.rules[0], Grid()->RowSize(0) * scale, 2.0);
    for (std::size_t i = 2; i < g.rules.size(); ++i)
        EXPECT_NEAR(g.rules[i] - g.rules[i - 1], Grid()->RowSize(1) * scale, 2.0) << "rule " << i;
}

// The channel table's own width, and a grid three times as wide there.
INSTANTIATE_TEST_SUITE_P(ColumnWidths, PrintedGeometry, ::testing::Values(80, 240));

} // namespace

namespace {

// The height in points pdftotext gives the first word equal to text on the page.
double WordHeight(const std::string& pdf, const QString& text)
{
    const std::string bbox = RunCommand("pdftotext -bbox -f 1 -l 1 " + ShellQuote(pdf) + " -").out;
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"[0-9.]+\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    auto it = word.globalMatch(QString::fromStdString(bbox));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(3) == text)
            return m.captured(2).toDouble() - m.captured(1).toDouble();
    }
    return -1;
}

// Texts keep their size relative to the table: the cells' fonts at their
// on-screen pixel size and the date line's 11-unit page font, both scaled by
// the page mapping (a size in points would come out many times too large).
TEST_F(PrintFixture, TextsAreScaledWithTheTable)
{
    UseChannels({ 1 });
    const std::string pdf = PrintPdf();
    const double pointsPerUnit
        = double(view->m_pageWidth) / view->m_logicalWidth * 72.0 / AppPrinter().resolution();
    const struct
    {
        QString word;
        int units;
    } cases[] = {
        { QStringLiteral("Frequency"), QFontInfo(Grid()->font()).pixelSize() },
        { QStringLiteral("431.12500"), QFontInfo(Grid()->font()).pixelSize() },
        { QString::fromStdString(DateLinesNearNow().front()).section(QLatin1Char(' '), 0, 0), 11 },
    };
    for (const auto& c : cases) {
        const double ratio = WordHeight(pdf, c.word) / (c.units * pointsPerUnit);
        EXPECT_GT(ratio, 0.8) << c.word.toStdString();
        EXPECT_LT(ratio, 1.6) << c.word.toStdString();
    }
}

} // namespace
