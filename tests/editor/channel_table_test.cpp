// The channel table on the real form: shape and texts from the image, and the
// edits users make with clicks and keys, each checked in the image, in the
// cells and in the document's modified flag.

#include "editor/editor_fixture.h"
#include "editor/freq_cell_edit.h"
#include "editor/option_cell_combo.h"
#include "editor/tone_cell_combo.h"
#include "grid/grid_ctrl.h"
#include "model/velmar_doc.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdint>

namespace {

class ChannelTable : public EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        Start();
    }
    QStringList PriorityEntries() const
    {
        auto* list = Control<QComboBox>(1046);
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries.append(list->itemText(i));
        return entries;
    }
};

TEST_F(ChannelTable, ShapeTitlesAndRowsComeFromSettingsLanguageAndImage)
{
    CGridCtrl* grid = Grid();
    EXPECT_EQ(grid->Rows(), 17);
    EXPECT_EQ(grid->Columns(), 12);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->FixedColumns(), 1);
    const int widths[12] = {40, 80, 70, 80, 70, 70, 60, 70, 70, 73, 70, 70};
    for (int c = 0; c < 12; ++c)
        EXPECT_EQ(grid->ColumnSize(c), widths[c]) << c;
    EXPECT_EQ(grid->RowSize(0), 28);
    EXPECT_EQ(grid->RowSize(16), 21);
    EXPECT_FALSE(grid->m_selectionEnabled);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("RX Frequency"));
    EXPECT_EQ(grid->CellFormat(0, 1), 0x15u);
    EXPECT_EQ(grid->CellFormat(0, 5), 0x25u);
    EXPECT_EQ(Cell(16, 0), QStringLiteral("16"));

    // Channel 2: duplex, a DCS receive tone, options as the new document set them.
    EXPECT_EQ(Cell(2, 1), QStringLiteral("440.00000"));
    EXPECT_EQ(Cell(2, 2), QStringLiteral("D023N"));
    EXPECT_EQ(Cell(2, 3), QStringLiteral("445.00000"));
    EXPECT_EQ(Cell(2, 4), QStringLiteral("Off"));
    EXPECT_EQ(grid->CellFormat(2, 1), 0x25u);
    for (int c = 1; c <= 11; ++c) {
        EXPECT_FALSE(ReadOnly(2, c)) << c;
        EXPECT_EQ(grid->CellTextColor(2, c), CLR_DEFAULT) << c;
    }
    // Channel 3 is empty: blank, and only the receive frequency can be edited.
    EXPECT_FALSE(ReadOnly(3, 1));
    for (int c = 2; c <= 11; ++c) {
        EXPECT_TRUE(Cell(3, c).isEmpty()) << c;
        EXPECT_TRUE(ReadOnly(3, c)) << c;
        EXPECT_NE(grid->CellTextColor(3, c), CLR_DEFAULT) << c;
    }
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(ChannelTable, ReadOnlyCellOpensNoEditor)
{
    ClickCell(3, 2);
    EXPECT_FALSE(Control<CToneCellCombo>(1019)->isVisible());
    ClickCell(3, 6);
    EXPECT_FALSE(Control<COptionCellCombo>(1018)->isVisible());
}

struct FreqCase {
    const char* name;
    int row;
    int col;
    const char* typed;
    int key;
    const char* rx;
    const char* tx;
    bool modified;
};

void PrintTo(const FreqCase& c, std::ostream* out)
{
    *out << c.name;
}

class FrequencyEntry : public ChannelTable, public ::testing::WithParamInterface<FreqCase> {};

TEST_P(FrequencyEntry, StoresTheCommittedValueAndShowsIt)
{
    const FreqCase& c = GetParam();
    EnterFrequency(c.row, c.col, QString::fromLatin1(c.typed), c.key);
    EXPECT_EQ(doc->GetFreqText(c.row, true), c.rx);
    EXPECT_EQ(doc->GetFreqText(c.row, false), c.tx);
    EXPECT_EQ(Cell(c.row, 1), QString::fromLatin1(c.rx));
    EXPECT_EQ(Cell(c.row, 3), QString::fromLatin1(c.tx));
    EXPECT_EQ(doc->IsModified(), c.modified);
    EXPECT_FALSE(Control<CFreqCellEdit>(1017)->isVisible());
    EXPECT_FALSE(Grid()->m_cellEditorActive);
    EXPECT_TRUE(Grid()->hasFocus());
}

const FreqCase kFreqCases[] = {
    {"EmptyChannelGetsSimplexPair", 3, 1, "446.5", Qt::Key_Return, "446.50000", "446.50000", true},
    {"AboveBandStoresUpperEdge", 5, 1, "600", Qt::Key_Return, "520.00000", "520.00000", true},
    {"BelowBandStoresLowerEdge", 5, 3, "100", Qt::Key_Return, "450.00000", "400.00000", true},
    {"BandEdgeKeptAsTyped", 5, 1, "520", Qt::Key_Return, "520.00000", "520.00000", true},
    {"OffRasterSnapped", 3, 1, "446.0031", Qt::Key_Return, "446.00500", "446.00500", true},
    {"DuplexReceiveLeavesTransmit", 2, 1, "441", Qt::Key_Return, "441.00000", "445.00000", true},
    {"TransmitOnlyLeavesReceive", 1, 3, "447", Qt::Key_Return, "446.00625", "447.00000", true},
    {"SameTextIsNoChange", 2, 1, "440.00000", Qt::Key_Enter, "440.00000", "445.00000", false},
    {"EscapeRestoresTheCell", 2, 1, "441", Qt::Key_Escape, "440.00000", "445.00000", false},
};

INSTANTIATE_TEST_SUITE_P(Cases, FrequencyEntry, ::testing::ValuesIn(kFreqCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelTable, NewChannelRowTurnsEditableAndJoinsPriorityList)
{
    EXPECT_FALSE(PriorityEntries().contains(QStringLiteral("3")));
    EnterFrequency(3, 1, QStringLiteral("446.5"), Qt::Key_Return);
    EXPECT_EQ(Cell(3, 2), QStringLiteral("Off"));
    EXPECT_EQ(Cell(3, 4), QStringLiteral("Off"));
    for (int c = 2; c <= 11; ++c) {
        EXPECT_FALSE(ReadOnly(3, c)) << c;
        EXPECT_EQ(Grid()->CellTextColor(3, c), CLR_DEFAULT) << c;
    }
    EXPECT_EQ(PriorityEntries(), (QStringList {QStringLiteral("Off"), QStringLiteral("1"),
                                     QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("5")}));
    // The stored priority channel keeps its entry selected.
    EXPECT_EQ(Control<QComboBox>(1046)->currentText(), QStringLiteral("2"));
}

TEST_F(ChannelTable, ClearingReceiveFrequencyEmptiesTheWholeChannel)
{
    doc->SetNarrowBand(2, 1);
    doc->SetHighPower(2, 0);
    doc->SetOption5(2, 1);
    doc->SetOption8(2, 0);
    doc->SetOption11(2, 0);
    doc->SetToneText(2, false, "D754I");
    doc->SetModifiedFlag(false);

    EnterFrequency(2, 1, QString(), Qt::Key_Return);

    EXPECT_TRUE(doc->IsRxEmpty(2));
    EXPECT_TRUE(doc->IsTxEmpty(2));
    EXPECT_EQ(doc->GetToneCode(2, true), 0xFFFF);
    EXPECT_EQ(doc->GetToneCode(2, false), 0xFFFF);
    EXPECT_EQ(doc->GetOption8(2), 1);
    EXPECT_EQ(doc->GetNarrowBand(2), 0);
    EXPECT_EQ(doc->GetHighPower(2), 1);
    EXPECT_EQ(doc->GetOption5(2), 0);
    EXPECT_EQ(doc->GetOption9(2), 1);
    EXPECT_EQ(doc->GetOption10(2), 1);
    EXPECT_EQ(doc->GetOption11(2), 1);
    EXPECT_EQ(doc->GetPriorityChannel(), 0);
    EXPECT_TRUE(doc->IsModified());

    for (int c = 1; c <= 11; ++c)
        EXPECT_TRUE(Cell(2, c).isEmpty()) << c;
    EXPECT_FALSE(ReadOnly(2, 1));
    for (int c = 2; c <= 11; ++c) {
        EXPECT_TRUE(ReadOnly(2, c)) << c;
        EXPECT_NE(Grid()->CellTextColor(2, c), CLR_DEFAULT) << c;
    }
    EXPECT_EQ(PriorityEntries(), (QStringList {QStringLiteral("Off"), QStringLiteral("1"), QStringLiteral("5")}));
    EXPECT_EQ(Control<QComboBox>(1046)->currentIndex(), 0);
}

TEST_F(ChannelTable, ClearingTransmitFrequencyTurnsTransmitToneOff)
{
    EnterFrequency(1, 3, QString(), Qt::Key_Return);
    EXPECT_EQ(doc->GetFreqText(1, true), "446.00625");
    EXPECT_TRUE(doc->IsTxEmpty(1));
    EXPECT_EQ(doc->GetToneText(1, true), "67.0");
    EXPECT_EQ(doc->GetToneCode(1, false), 0xFFFF);
    EXPECT_TRUE(Cell(1, 3).isEmpty());
    EXPECT_TRUE(Cell(1, 4).isEmpty());
    EXPECT_TRUE(ReadOnly(1, 4));
    EXPECT_FALSE(ReadOnly(1, 3));
    EXPECT_TRUE(doc->IsModified());
    // The transmit tone cannot be edited until there is a transmit frequency.
    ClickCell(1, 4);
    EXPECT_FALSE(Control<CToneCellCombo>(1019)->isVisible());
}

struct ToneCase {
    const char* name;
    int row;
    int key;
    const char* rx;
    const char* tx;
    bool modified;
};

void PrintTo(const ToneCase& c, std::ostream* out)
{
    *out << c.name;
}

class ToneEntry : public ChannelTable, public ::testing::WithParamInterface<ToneCase> {};

// The list is moved one entry down with the arrow key, then closed with key.
TEST_P(ToneEntry, StoresTheChosenToneOnLeaving)
{
    const ToneCase& c = GetParam();
    ClickCell(c.row, 2);
    auto* tones = Control<CToneCellCombo>(1019);
    ASSERT_TRUE(tones->isVisible());
    ASSERT_TRUE(tones->hasFocus());
    EXPECT_EQ(tones->currentText(), Cell(c.row, 2).toUpper());
    QTest::keyClick(tones, Qt::Key_Down);
    QTest::keyClick(tones, static_cast<Qt::Key>(c.key));
    EXPECT_EQ(doc->GetToneText(c.row, true), c.rx);
    EXPECT_EQ(doc->GetToneText(c.row, false), c.tx);
    EXPECT_EQ(Cell(c.row, 2), QString::fromLatin1(c.rx));
    EXPECT_EQ(Cell(c.row, 4), QString::fromLatin1(c.tx));
    EXPECT_EQ(doc->IsModified(), c.modified);
    EXPECT_FALSE(tones->isVisible());
    EXPECT_TRUE(Grid()->hasFocus());
}

const ToneCase kToneCases[] = {
    {"EqualTonesFollow", 1, Qt::Key_Return, "69.3", "69.3", true},
    {"DifferentTonesStayApart", 2, Qt::Key_Return, "D025N", "Off", true},
    {"EscapeKeepsTheStoredTone", 1, Qt::Key_Escape, "67.0", "67.0", false},
};

INSTANTIATE_TEST_SUITE_P(Cases, ToneEntry, ::testing::ValuesIn(kToneCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelTable, ToneInCapitalsCountsAsUnchanged)
{
    // The list shows "OFF" where the cell shows "Off".
    ClickCell(5, 2);
    auto* tones = Control<CToneCellCombo>(1019);
    EXPECT_EQ(tones->currentText(), QStringLiteral("OFF"));
    QTest::keyClick(tones, Qt::Key_Return);
    EXPECT_EQ(doc->GetToneCode(5, true), 0xFFFF);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(ChannelTable, DroppedToneListEndsTheEditWithEnterOrEscape)
{
    auto* tones = Control<CToneCellCombo>(1019);
    const auto dropped = [tones] { return QTest::qWaitFor([tones] { return tones->view()->isVisible(); }, 2000); };

    ClickCell(1, 2);
    tones->showPopup();
    ASSERT_TRUE(dropped());
    QTest::keyClick(tones->view(), Qt::Key_Down);
    QTest::keyClick(tones->view(), Qt::Key_Escape);
    EXPECT_FALSE(tones->isVisible());
    EXPECT_TRUE(Grid()->hasFocus());
    EXPECT_EQ(doc->GetToneText(1, true), "67.0");
    EXPECT_FALSE(doc->IsModified());

    ClickCell(1, 2);
    tones->showPopup();
    ASSERT_TRUE(dropped());
    QTest::keyClick(tones->view(), Qt::Key_Down);
    QTest::keyClick(tones->view(), Qt::Key_Return);
    EXPECT_FALSE(tones->view()->isVisible());
    EXPECT_FALSE(tones->isVisible());
    EXPECT_TRUE(Grid()->hasFocus());
    EXPECT_EQ(doc->GetToneText(1, true), "69.3");
    EXPECT_EQ(doc->GetToneText(1, false), "69.3");
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(ChannelTable, StoredToneOutsideTheListIsLeftAsItIs)
{
    // 88.6 Hz can come from a radio or a file, but the list does not hold it.
    doc->Image().bytes[16 * 5 + 8] = 0x86;
    doc->Image().bytes[16 * 5 + 9] = 0x08;
    doc->UpdateAllViews(nullptr);
    EXPECT_EQ(Cell(5, 2), QStringLiteral("88.6"));
    ClickCell(5, 2);
    auto* tones = Control<CToneCellCombo>(1019);
    EXPECT_EQ(tones->currentIndex(), -1);
    QTest::keyClick(tones, Qt::Key_Return);
    EXPECT_EQ(doc->GetToneCode(5, true), 0x0886);
    EXPECT_EQ(Cell(5, 2), QStringLiteral("88.6"));
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(ChannelTable, OptionChangeIsStoredAtOnceAndEscapeKeepsIt)
{
    ClickCell(1, 6);
    auto* options = Control<COptionCellCombo>(1018);
    ASSERT_TRUE(options->isVisible());
    EXPECT_EQ(options->count(), 2);
    EXPECT_EQ(options->currentText(), QStringLiteral("Wide"));
    EXPECT_FALSE(doc->IsModified());

    QTest::keyClick(options, Qt::Key_Down);
    EXPECT_EQ(doc->GetNarrowBand(1), 1);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(Cell(1, 6), QStringLiteral("Narrow"));
    EXPECT_TRUE(options->isVisible());

    QTest::keyClick(options, Qt::Key_Escape);
    EXPECT_FALSE(options->isVisible());
    EXPECT_TRUE(Grid()->hasFocus());
    EXPECT_EQ(doc->GetNarrowBand(1), 1);
    EXPECT_EQ(Cell(1, 6), QStringLiteral("Narrow"));
}

TEST_F(ChannelTable, OptionOpenedAndLeftUnchangedIsNoEdit)
{
    ClickCell(1, 7);
    auto* options = Control<COptionCellCombo>(1018);
    EXPECT_EQ(options->currentText(), QStringLiteral("High"));
    QTest::keyClick(options, Qt::Key_Return);
    EXPECT_FALSE(options->isVisible());
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(ChannelTable, ClickingAnotherCellCommitsTheOpenEditor)
{
    ClickCell(2, 1);
    QTest::keyClicks(Control<CFreqCellEdit>(1017), QStringLiteral("442"));
    ClickCell(1, 1);
    EXPECT_EQ(doc->GetFreqText(2, true), "442.00000");
    EXPECT_EQ(Cell(2, 1), QStringLiteral("442.00000"));
    // The click opened the editor on the new cell.
    EXPECT_TRUE(Control<CFreqCellEdit>(1017)->isVisible());
    EXPECT_EQ(Control<CFreqCellEdit>(1017)->text(), QStringLiteral("446.00625"));
    EXPECT_EQ(view->m_editRow, 1);
}

TEST_F(ChannelTable, VisitingAnOffRasterValueLeavesItAsRead)
{
    // 446.00312 MHz, as a radio or a file may hold it: off the raster.
    const std::uint8_t bcd[4] = {0x12, 0x03, 0x60, 0x44};
    std::copy(std::begin(bcd), std::end(bcd), &doc->Image().bytes[16 * 5]);
    doc->UpdateAllViews(nullptr);
    ASSERT_EQ(Cell(5, 1), QStringLiteral("446.00312"));
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        ClickCell(5, 1);
        QTest::keyClick(Control<CFreqCellEdit>(1017), static_cast<Qt::Key>(key));
        EXPECT_TRUE(std::equal(std::begin(bcd), std::end(bcd), &doc->Image().bytes[16 * 5])) << key;
        EXPECT_FALSE(doc->IsModified()) << key;
    }
    // Typing a value stores it on the raster.
    EnterFrequency(5, 1, QStringLiteral("446.00312"), Qt::Key_Tab);
    EnterFrequency(5, 1, QStringLiteral("446.0031"), Qt::Key_Return);
    EXPECT_EQ(doc->GetFreqText(5, true), "446.00500");
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(ChannelTable, KeyboardAloneMovesToACellAndEditsIt)
{
    ClickCell(2, 1);
    auto* editor = Control<CFreqCellEdit>(1017);
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_TRUE(Grid()->hasFocus());
    QTest::keyClick(Grid(), Qt::Key_Down);
    QTest::keyClick(Grid(), Qt::Key_Return);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(view->m_editRow, 3);
    QTest::keyClicks(editor, QStringLiteral("447.5"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(doc->GetFreqText(3, true), "447.50000");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(Grid()->hasFocus());
}

TEST_F(ChannelTable, DocumentUpdateClosesAnOpenEditorWithoutStoringIt)
{
    ClickCell(2, 1);
    QTest::keyClicks(Control<CFreqCellEdit>(1017), QStringLiteral("442"));
    doc->UpdateAllViews(nullptr);
    EXPECT_FALSE(Control<CFreqCellEdit>(1017)->isVisible());
    EXPECT_EQ(doc->GetFreqText(2, true), "440.00000");
    EXPECT_FALSE(doc->IsModified());
}

struct CountCase {
    const char* name;
    const char* value;
    int rows;
};

void PrintTo(const CountCase& c, std::ostream* out)
{
    *out << c.name;
}

class ChannelCount : public EditorFixture, public ::testing::WithParamInterface<CountCase> {};

TEST_P(ChannelCount, RowsFollowTheSettingWithinTheImage)
{
    Start(EditorSettings(GetParam().value));
    EXPECT_EQ(Grid()->Rows(), GetParam().rows);
    EXPECT_EQ(Grid()->Columns(), 12);
}

const CountCase kCountCases[] = {
    {"Usual", "16", 17},
    {"Fewer", "8", 9},
    {"AboveTheImageLimited", "40", 17},
    {"HugeLimited", "99999999999999999", 17},
    {"Zero", "0", 1},
    {"Negative", "-3", 1},
    {"NotANumber", "abc", 1},
    {"Empty", "", 1},
};

INSTANTIATE_TEST_SUITE_P(Cases, ChannelCount, ::testing::ValuesIn(kCountCases),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
