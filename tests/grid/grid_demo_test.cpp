// A picture of the grid dressed as the channel table (17 x 12, title row and
// channel-number column, some empty channels greyed out and read-only, the
// focus on a tone cell), saved as a PNG for a look by eye. The file goes to
// $VELMAR_GRID_DEMO_PNG, or velmar-grid-demo.png in the temp folder.

#include "grid_fixture.h"

#include <QDir>

#include <cstdlib>

namespace {

TEST(GridDemo, ChannelTablePicture)
{
    ProbeGrid grid;
    grid.setFrameShape(QFrame::NoFrame);
    grid.resize(860, 370);
    ShapeLikeChannelTable(grid);

    const char* titles[12] = { "CH", "RX freq", "RX tone", "TX freq", "TX tone", "Busy lock", "Band",
        "Power", "Scan add", "Talk around", "Scramble", "Compand" };
    const char* tones[4] = { "OFF", "67.0", "D023N", "88.5" };
    grid.SetRedrawing(false, false);
    for (int c = 0; c < 12; ++c)
        grid.SetCellText(0, c, QString::fromLatin1(titles[c]));
    for (int r = 1; r <= 16; ++r) {
        const bool empty = r % 5 == 0;
        const QString freq = QStringLiteral("%1.%2").arg(145 + r / 4).arg(r * 12500 % 100000, 5, 10, QLatin1Char('0'));
        const QString texts[11] = { freq, QString::fromLatin1(tones[r % 4]), freq, QString::fromLatin1(tones[(r + 1) % 4]),
            QStringLiteral("No"), r % 2 ? QStringLiteral("Wide") : QStringLiteral("Narrow"),
            r % 3 ? QStringLiteral("High") : QStringLiteral("Low"), QStringLiteral("Yes"), QStringLiteral("No"),
            QStringLiteral("No"), QStringLiteral("Yes") };
        for (int c = 1; c < 12; ++c) {
            grid.SetCellText(r, c, empty ? QString() : texts[c - 1]);
            if (empty && c >= 2) {
                grid.SetCellState(r, c, grid.CellState(r, c) | CELL_READONLY);
                grid.SetCellTextColor(r, c, MakeColorRef(128, 128, 128));
            }
        }
    }
    grid.SetRedrawing(true, true);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(40 + 80 + 35, 28 + 2 * 21 + 10));
    ASSERT_EQ(grid.FocusPos(), (CellPos { 3, 2 }));

    const char* env = std::getenv("VELMAR_GRID_DEMO_PNG");
    const QString path = env ? QString::fromLocal8Bit(env) : QDir::temp().filePath(QStringLiteral("velmar-grid-demo.png"));
    const QPixmap picture = grid.grab();
    ASSERT_TRUE(picture.save(path, "PNG")) << path.toStdString();
    EXPECT_EQ(picture.size(), QSize(860, 370));
}

}
