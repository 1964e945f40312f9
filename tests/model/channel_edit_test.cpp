#include "model/channel_edit.h"
#include "model/model_env.h"
#include "model/velmar_doc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ChannelEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument()); // 400-520 MHz, defaults
    }

    // The eleven cell texts of a row, joined by "|".
    std::string Row(int row) const
    {
        std::string text;
        for (int c = 1; c < kChannelColumnCount; ++c)
            text += (c > 1 ? "|" : "") + ChannelCellText(doc, row, c);
        return text;
    }

    void Fill(int row, const char* rx, const char* tx)
    {
        CommitFrequency(doc, row, 1, rx);
        CommitFrequency(doc, row, 3, tx);
        doc.SetModifiedFlag(false);
    }

    ModelEnv env;
    CVelmarDoc doc;
};

struct FreqCommitCase {
    const char* name;
    const char* rx; // channel before the commit ("" = empty)
    const char* tx;
    int column;
    const char* text;
    const char* rxAfter;
    const char* txAfter;
    bool modified;
};

const FreqCommitCase kFreqCommits[] = {
    {"new channel takes the receive frequency twice", "", "", 1, "439.125", "439.12500", "439.12500", true},
    {"simplex follows", "439.125", "439.125", 1, "440", "440.00000", "440.00000", true},
    {"split stays split", "439.125", "430", 1, "440", "440.00000", "430.00000", true},
    {"transmit never moves receive", "439.125", "439.125", 3, "441", "439.12500", "441.00000", true},
    {"above the band becomes the upper edge", "", "", 1, "600", "520.00000", "520.00000", true},
    {"below the band becomes the lower edge", "439.125", "439.125", 3, "300", "439.12500", "400.00000", true},
    {"band edge accepted", "", "", 1, "520", "520.00000", "520.00000", true},
    {"off raster is snapped", "", "", 1, "439.119", "439.11875", "439.11875", true},
    {"same text is no change", "439.125", "439.125", 1, "439.12500", "439.12500", "439.12500", false},
    {"case of the text does not matter", "439.125", "430", 3, "430.00000", "439.12500", "430.00000", false},
    {"clearing transmit", "439.125", "430", 3, "", "439.12500", "", true},
};

TEST_F(ChannelEditTest, FrequencyCommit)
{
    for (const FreqCommitCase& c : kFreqCommits) {
        SCOPED_TRACE(c.name);
        Fill(5, c.rx, c.tx);
        const ChannelEditResult result = CommitFrequency(doc, 5, c.column, c.text);
        EXPECT_EQ(doc.GetFreqText(5, true), c.rxAfter);
        EXPECT_EQ(doc.GetFreqText(5, false), c.txAfter);
        EXPECT_EQ(result.modified, c.modified);
        EXPECT_EQ(doc.IsModified(), c.modified);
        EXPECT_TRUE(result.refreshRow);
        EXPECT_TRUE(result.fillPriorityList);
        EXPECT_EQ(result.cells.front(), c.column);
    }
}

TEST_F(ChannelEditTest, ClearingTransmitTurnsItsToneOffAndGreysTheCell)
{
    Fill(2, "439.125", "430");
    CommitTone(doc, 2, 2, "88.5");
    CommitTone(doc, 2, 4, "D754I");
    const ChannelEditResult result = CommitFrequency(doc, 2, 3, "");
    EXPECT_EQ(doc.GetToneCode(2, false), 0xFFFF);
    EXPECT_EQ(doc.GetToneText(2, true), "88.5");
    EXPECT_EQ(result.cells, (std::vector<int>{3, 4}));
    EXPECT_EQ(Row(2), "439.12500|88.5|||Yes|Wide|High|No|No|No|No");
    EXPECT_TRUE(IsChannelCellReadOnly(doc, 2, 4));
    EXPECT_FALSE(IsChannelCellReadOnly(doc, 2, 3));
}

TEST_F(ChannelEditTest, ClearingReceiveClearsTheWholeChannel)
{
    Fill(4, "439.125", "430");
    CommitTone(doc, 4, 2, "88.5");
    CommitTone(doc, 4, 4, "D023N");
    SetChannelOption(doc, 4, 5, 1);
    SetChannelOption(doc, 4, 6, 1);
    SetChannelOption(doc, 4, 11, 0);
    doc.Image().bytes[16 * 4 + RadioImage::kChannelFlags] &= 0xFD; // reserved bit 1 stays
    doc.SetPriorityChannel(4);
    doc.SetModifiedFlag(false);

    const ChannelEditResult result = CommitFrequency(doc, 4, 1, "");
    EXPECT_TRUE(result.modified);
    EXPECT_TRUE(result.priorityReset);
    EXPECT_EQ(doc.GetPriorityChannel(), 0);
    EXPECT_TRUE(doc.IsRxEmpty(4));
    EXPECT_EQ(doc.GetFreqText(4, false), "");
    EXPECT_EQ(doc.GetToneCode(4, true), 0xFFFF);
    EXPECT_EQ(doc.GetToneCode(4, false), 0xFFFF);
    EXPECT_EQ(doc.Image().bytes[16 * 4 + RadioImage::kChannelFlags], 0xE9);
    EXPECT_EQ(result.cells, (std::vector<int>{1, 4, 2, 3, 8, 6, 7, 5, 9, 10, 11}));
    EXPECT_EQ(Row(4), "||||||||||");
    for (int c = 2; c <= 11; ++c)
        EXPECT_TRUE(IsChannelCellReadOnly(doc, 4, c)) << c;
    EXPECT_FALSE(IsChannelCellReadOnly(doc, 4, 1));
}

TEST_F(ChannelEditTest, ClearingAnotherChannelKeepsThePriority)
{
    Fill(4, "439.125", "430");
    Fill(6, "439.125", "430");
    doc.SetPriorityChannel(6);
    EXPECT_FALSE(CommitFrequency(doc, 4, 1, "").priorityReset);
    EXPECT_EQ(doc.GetPriorityChannel(), 6);
}

TEST_F(ChannelEditTest, ClearingAnEmptyChannelThatStillChangesBytesMarksModified)
{
    doc.SetPriorityChannel(9); // left over from a foreign file: channel 9 is empty
    doc.SetModifiedFlag(false);
    const ChannelEditResult result = CommitFrequency(doc, 9, 1, "");
    EXPECT_TRUE(result.priorityReset);
    EXPECT_TRUE(result.modified);
    EXPECT_TRUE(doc.IsModified());

    doc.SetModifiedFlag(false);
    EXPECT_FALSE(CommitFrequency(doc, 9, 1, "").modified); // nothing left to change
}

TEST_F(ChannelEditTest, ToneCommit)
{
    const struct {
        const char* name;
        const char* rxTone;
        const char* txTone;
        int column;
        const char* text;
        const char* rxAfter;
        const char* txAfter;
        bool modified;
    } cases[] = {
        {"equal tones move together", "Off", "Off", 2, "88.5", "88.5", "88.5", true},
        {"different tones: only receive", "88.5", "D023N", 2, "67.0", "67.0", "D023N", true},
        {"transmit alone", "88.5", "88.5", 4, "D754I", "88.5", "D754I", true},
        {"case is not a change", "D023N", "D023N", 2, "d023n", "D023N", "D023N", false},
        {"off text", "88.5", "88.5", 2, "Off", "Off", "Off", true},
        {"parsed as the table hands it over", "Off", "88.5", 2, "D089N", "D023N", "88.5", true},
    };
    Fill(3, "439.125", "439.125");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        doc.SetToneText(3, true, c.rxTone);
        doc.SetToneText(3, false, c.txTone);
        doc.SetModifiedFlag(false);
        const ChannelEditResult result = CommitTone(doc, 3, c.column, c.text);
        EXPECT_EQ(doc.GetToneText(3, true), c.rxAfter);
        EXPECT_EQ(doc.GetToneText(3, false), c.txAfter);
        EXPECT_EQ(result.modified, c.modified);
        EXPECT_EQ(doc.IsModified(), c.modified);
        EXPECT_FALSE(result.refreshRow);
    }
}

TEST_F(ChannelEditTest, OptionsStoreTheListIndexAndShowTheirTexts)
{
    Fill(1, "439.125", "439.125");
    EXPECT_EQ(Row(1), "439.12500|Off|439.12500|Off|Yes|Wide|High|No|No|No|No");
    const struct {
        int column;
        const char* setText;
    } cases[] = {{5, "No"}, {6, "Narrow"}, {7, "High"}, {8, "No"}, {9, "No"}, {10, "No"}, {11, "No"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        doc.SetModifiedFlag(false);
        const ChannelEditResult result = SetChannelOption(doc, 1, c.column, 1);
        EXPECT_TRUE(result.modified);
        EXPECT_EQ(result.cells, std::vector<int>{c.column});
        EXPECT_EQ(GetChannelOption(doc, 1, c.column), 1);
        EXPECT_EQ(ChannelCellText(doc, 1, c.column), c.setText);
    }
    SetChannelOption(doc, 1, 7, 0);
    EXPECT_EQ(ChannelCellText(doc, 1, 7), "Low");
    SetChannelOption(doc, 1, 6, 0);
    EXPECT_EQ(ChannelCellText(doc, 1, 6), "Wide");
}

TEST_F(ChannelEditTest, RowsAndColumnsOutsideTheTableChangeNothing)
{
    const auto before = doc.Image().bytes;
    for (int row : {0, 17, -3}) {
        EXPECT_FALSE(CommitFrequency(doc, row, 1, "439.125").modified);
        EXPECT_FALSE(CommitTone(doc, row, 2, "88.5").modified);
        EXPECT_FALSE(SetChannelOption(doc, row, 5, 1).modified);
        EXPECT_EQ(ChannelCellText(doc, row, 1), "");
    }
    EXPECT_FALSE(CommitFrequency(doc, 1, 2, "439.125").modified);
    EXPECT_FALSE(CommitTone(doc, 1, 1, "88.5").modified);
    EXPECT_FALSE(SetChannelOption(doc, 1, 4, 1).modified);
    EXPECT_EQ(doc.Image().bytes, before);
    EXPECT_FALSE(doc.IsModified());
}

} // namespace
