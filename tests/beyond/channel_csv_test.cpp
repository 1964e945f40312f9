// Channel table CSV: round trip, every rejected input with its line and reason,
// and an import whose values get snapped and clamped.

#include "beyond/beyond_env.h"

#include "model/channel_csv.h"
#include "model/channel_edit.h"
#include "model/velmar_doc.h"

#include <algorithm>
#include <cstring>

namespace {

bool SameChannelBytes(const CVelmarDoc& a, const CVelmarDoc& b)
{
    return std::equal(
        a.Image().bytes.begin() + 0x10, a.Image().bytes.begin() + 0x110, b.Image().bytes.begin() + 0x10);
}

class ChannelCsvTest : public BeyondTest
{
protected:
    void SetUp() override
    {
        BeyondTest::SetUp();
        doc.OnNewDocument();
        FillAllChannels(doc);
        doc.SetModifiedFlag(false);
    }

    CVelmarDoc doc;
};

TEST_F(ChannelCsvTest, ExportThenImportIntoANewDocumentReproducesEveryChannelByte)
{
    const std::string csv = ExportChannelsCsv(doc, 16);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
        "channel,rxFreq,rxTone,txFreq,txTone,option5,narrowBand,highPower,option8,option9,option10,option11");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 17);

    CVelmarDoc fresh;
    fresh.OnNewDocument();
    const ChannelCsvImport import = PrepareChannelsCsvImport(fresh, csv, 16);
    ASSERT_TRUE(import.ok()) << DescribeChannelsCsvError(import, false);
    EXPECT_TRUE(import.adjustments.empty());
    EXPECT_TRUE(ApplyChannelsCsvImport(fresh, import));
    EXPECT_TRUE(SameChannelBytes(fresh, doc));
    EXPECT_TRUE(fresh.IsModified());
}

TEST_F(ChannelCsvTest, ReimportingTheExportChangesNothingEvenOffTheRasterAndOutOfBand)
{
    // Values a radio may hold that the table would never store: off the raster,
    // outside the band, and a foreign byte in an empty channel.
    const std::uint8_t offRaster[4] = { 0x34, 0x12, 0x50, 0x44 }; // 445.01234
    const std::uint8_t outOfBand[4] = { 0x00, 0x00, 0x50, 0x14 }; // 145.00000
    std::memcpy(&doc.Image().bytes[16 * 2], offRaster, 4);
    std::memcpy(&doc.Image().bytes[16 * 3 + 4], outOfBand, 4);
    CommitFrequency(doc, 9, 1, "");
    doc.Image().bytes[16 * 9 + 8] = 0x42;
    const RadioImage before = doc.Image();

    const ChannelCsvImport import = PrepareChannelsCsvImport(doc, ExportChannelsCsv(doc, 16), 16);
    ASSERT_TRUE(import.ok()) << DescribeChannelsCsvError(import, false);
    EXPECT_TRUE(import.adjustments.empty());
    EXPECT_FALSE(ApplyChannelsCsvImport(doc, import));
    EXPECT_EQ(doc.Image().bytes, before.bytes);
}

struct RejectCase
{
    const char* name;
    const char* csv;
    int line;
    const char* message;
};

void PrintTo(const RejectCase& c, std::ostream* out)
{
    *out << c.name;
}

class ChannelCsvRejectTest : public ChannelCsvTest, public ::testing::WithParamInterface<RejectCase>
{
};

TEST_P(ChannelCsvRejectTest, RejectsTheWholeFileWithLineAndReason)
{
    const RadioImage before = doc.Image();
    const ChannelCsvImport import = PrepareChannelsCsvImport(doc, GetParam().csv, 16);
    EXPECT_FALSE(import.ok());
    EXPECT_EQ(import.errorLine, GetParam().line);
    EXPECT_EQ(DescribeChannelsCsvError(import, false), GetParam().message);
    EXPECT_TRUE(import.adjustments.empty());
    EXPECT_FALSE(ApplyChannelsCsvImport(doc, import));
    EXPECT_EQ(doc.Image().bytes, before.bytes);
    EXPECT_FALSE(doc.IsModified());
}

const RejectCase kRejectCases[] = {
    { "Empty", "", 1, "line 1: the file has no header row" },
    { "BlankLinesOnly", "\r\n \r\n", 1, "line 1: the file has no header row" },
    { "UnclosedQuote", "channel,rxFreq\n1,\"440\n2,441\n", 2, "line 2: a quoted field is not closed" },
    { "TextAfterQuote", "channel,rxFreq\n1,\"440\"0\n", 2, "line 2: text follows a closing quote" },
    { "UnknownColumn", "channel,rxFreq,colour\n", 1, "line 1: unknown column \"colour\"" },
    { "DuplicateColumn", "channel,rxFreq,RXFREQ\n", 1, "line 1: the column \"RXFREQ\" appears twice" },
    { "NoChannelColumn", "rxFreq\n440\n", 1, "line 1: the header has no \"channel\" column" },
    { "TooManyFields", "channel,rxFreq\n1,440,3\n", 2, "line 2: 3 fields, but the header has 2" },
    { "TooFewFields", "channel,rxFreq,rxTone\n1,440\n", 2, "line 2: 2 fields, but the header has 3" },
    { "ChannelAboveTable", "channel,rxFreq\n17,440\n", 2,
        "line 2: \"17\" is not a channel number from 1 to 16" },
    { "ChannelZero", "channel,rxFreq\n0,440\n", 2, "line 2: \"0\" is not a channel number from 1 to 16" },
    { "ChannelNotANumber", "channel,rxFreq\n1.5,440\n", 2,
        "line 2: \"1.5\" is not a channel number from 1 to 16" },
    { "ChannelTwice", "channel,rxFreq\n1,440\n\n1,441\n", 4, "line 4: channel 1 already appears on line 2" },
    { "FrequencyLetters", "channel,rxFreq\n1,44O.5\n", 2,
        "line 2: rxFreq \"44O.5\" is not a frequency in MHz such as 145.50000" },
    { "FrequencyTwoPoints", "channel,txFreq\n1,440.1.2\n", 2,
        "line 2: txFreq \"440.1.2\" is not a frequency in MHz such as 145.50000" },
    { "FrequencyAboveWhatTheImageHolds", "channel,rxFreq\n1,1440\n", 2,
        "line 2: rxFreq \"1440\" is not a frequency in MHz such as 145.50000" },
    { "ToneWord", "channel,rxTone\n2,loud\n", 2,
        "line 2: rxTone \"loud\" is not a tone: the off text, a CTCSS tone such as 88.5 or a DCS code such "
        "as "
        "D023N" },
    { "DcsNotOctal", "channel,txTone\n2,D089N\n", 2,
        "line 2: txTone \"D089N\" is not a tone: the off text, a CTCSS tone such as 88.5 or a DCS code such "
        "as "
        "D023N" },
    { "DcsWithoutPolarity", "channel,rxTone\n2,D023\n", 2,
        "line 2: rxTone \"D023\" is not a tone: the off text, a CTCSS tone such as 88.5 or a DCS code such "
        "as "
        "D023N" },
    { "OptionWord", "channel,highPower\n1,yes\n", 2, "line 2: highPower takes 0 or 1, not \"yes\"" },
    { "OptionTwo", "channel,option5\n1,2\n", 2, "line 2: option5 takes 0 or 1, not \"2\"" },
    { "ValueOnAClearedChannel", "channel,rxFreq,rxTone\n1,,88.5\n", 2,
        "line 2: rxTone must be empty: the channel has no rxFreq" },
    { "ToneWithoutTransmitFrequency", "channel,txFreq,txTone\n1,,88.5\n", 2,
        "line 2: txTone must be empty or off while txFreq is empty" },
    { "BadRowAfterGoodRows", "channel,rxFreq\n1,441\n2,442\n3,x\n", 4,
        "line 4: rxFreq \"x\" is not a frequency in MHz such as 145.50000" },
    { "LineCountedInsideQuotes", "channel,rxTone\n1,\"88.5\"\n2,\"a\nb\"\n3,x\n", 3,
        "line 3: rxTone \"a\nb\" is not a tone: the off text, a CTCSS tone such as 88.5 or a DCS code such "
        "as "
        "D023N" },
    { "PercentInACellStaysLiteral", "channel,option9\n1,%2\n", 2,
        "line 2: option9 takes 0 or 1, not \"%2\"" },
};

INSTANTIATE_TEST_SUITE_P(Cases, ChannelCsvRejectTest, ::testing::ValuesIn(kRejectCases),
    [](const ::testing::TestParamInfo<RejectCase>& info) { return std::string(info.param.name); });

TEST_F(ChannelCsvTest, ReportsEverySnappedAndClampedValueBeforeAnythingIsStored)
{
    const RadioImage before = doc.Image();
    const ChannelCsvImport import = PrepareChannelsCsvImport(doc,
        "channel,rxFreq,txFreq,rxTone\n"
        "1,439.12375,600,300\n"
        "2,350,455.5,88.5\n"
        "3,146.0075,,\n",
        16);
    ASSERT_TRUE(import.ok()) << DescribeChannelsCsvError(import, false);
    EXPECT_EQ(doc.Image().bytes, before.bytes) << "preparing leaves the document alone";
    std::vector<std::string> lines;
    for (const ChannelCsvAdjustment& adjustment : import.adjustments)
        lines.push_back(DescribeChannelsCsvAdjustment(adjustment, false));
    EXPECT_EQ(lines,
        (std::vector<std::string> {
            "line 2, channel 1: rxFreq 439.12375 stored as 439.12500 (channel raster)",
            "line 2, channel 1: txFreq 600 is above the band, stored as 520.00000",
            "line 2, channel 1: rxTone 300 stored as 254.1",
            "line 3, channel 2: rxFreq 350 is below the band, stored as 400.00000",
            "line 4, channel 3: rxFreq 146.0075 is below the band, stored as 400.00000",
        }));

    ASSERT_TRUE(ApplyChannelsCsvImport(doc, import));
    EXPECT_EQ(doc.GetFreqText(1, true), "439.12500");
    EXPECT_EQ(doc.GetFreqText(1, false), "520.00000");
    EXPECT_EQ(doc.GetToneText(1, true), "254.1");
    EXPECT_EQ(doc.GetFreqText(2, false), "455.50000");
    EXPECT_TRUE(doc.IsTxEmpty(3));
    EXPECT_EQ(doc.GetToneText(3, true), "Off") << "an empty rxTone cell is off";
}

TEST_F(ChannelCsvTest, AcceptsSemicolonsQuotesCrLfBomAndDecimalCommas)
{
    const ChannelCsvImport import = PrepareChannelsCsvImport(doc,
        "\xEF\xBB\xBF"
        "TXTONE ; channel;rxFreq\r\n"
        "\"d754i\";3;\"445,1\"\r\n"
        " off ; 4 ; 446,00625 \r\n",
        16);
    ASSERT_TRUE(import.ok()) << DescribeChannelsCsvError(import, false);
    EXPECT_TRUE(import.adjustments.empty());
    ApplyChannelsCsvImport(doc, import);
    EXPECT_EQ(doc.GetFreqText(3, true), "445.10000");
    EXPECT_EQ(doc.GetToneText(3, false), "D754I");
    EXPECT_EQ(doc.GetFreqText(4, true), "446.00625");
    EXPECT_EQ(doc.GetToneText(4, false), "Off");
}

TEST_F(ChannelCsvTest, FollowsTheTableRulesAndKeepsMissingColumns)
{
    // Channel 1 is simplex with equal tones: a new receive frequency and tone
    // take the transmit side along unless the file names it too.
    ASSERT_TRUE(doc.IsSimplex(1));
    CommitTone(doc, 1, 4, doc.GetToneText(1, true));
    const int option5 = doc.GetOption5(1);
    const ChannelCsvImport import = PrepareChannelsCsvImport(doc,
        "channel,rxFreq,rxTone\n"
        "1,450.5,D023I\n",
        16);
    ASSERT_TRUE(import.ok());
    ApplyChannelsCsvImport(doc, import);
    EXPECT_EQ(doc.GetFreqText(1, false), "450.50000");
    EXPECT_EQ(doc.GetToneText(1, false), "D023I");
    EXPECT_EQ(doc.GetOption5(1), option5);

    // A new channel starts simplex; an empty receive frequency clears a
    // channel with its option defaults and the priority channel.
    CommitFrequency(doc, 6, 1, "");
    doc.SetPriorityChannel(7);
    const ChannelCsvImport second = PrepareChannelsCsvImport(doc,
        "channel,rxFreq\n"
        "6,430.025\n"
        "7,\n",
        16);
    ASSERT_TRUE(second.ok()) << DescribeChannelsCsvError(second, false);
    ASSERT_EQ(second.adjustments.size(), 1u);
    EXPECT_EQ(DescribeChannelsCsvAdjustment(second.adjustments[0], false),
        "line 3, channel 7: the priority channel is now none");
    ApplyChannelsCsvImport(doc, second);
    EXPECT_EQ(doc.GetFreqText(6, false), "430.02500");
    EXPECT_TRUE(doc.IsRxEmpty(7));
    EXPECT_EQ(doc.Image().bytes[16 * 7 + 12], 0xEB);
    EXPECT_EQ(doc.GetPriorityChannel(), 0);
}

TEST_F(ChannelCsvTest, ExportQuotesAnOffTextWithASeparator)
{
    TempDir::WriteFile(dir.file("english.lang"), "[String]\nIDS_OFF=no; \"tone\"\n");
    const std::string csv = ExportChannelsCsv(doc, 16);
    EXPECT_NE(csv.find("\"no; \"\"tone\"\"\""), std::string::npos);
    const ChannelCsvImport import = PrepareChannelsCsvImport(doc, csv, 16);
    ASSERT_TRUE(import.ok()) << DescribeChannelsCsvError(import, false);
    EXPECT_FALSE(ApplyChannelsCsvImport(doc, import));
}

} // namespace

namespace {

// Noise in the shape of the format: a valid header, then rows of random cells
// from the characters that matter. Under the sanitizers this finds reads past
// a field, and it checks that whatever happens only channel bytes change.
TEST_F(ChannelCsvTest, RandomRowsNeverTouchAnythingButTheChannels)
{
    static const std::string kAlphabet = ",;\"\r\n \t0123456789.,DdNnIioffOFF-x\xEF\xBB\xBF";
    static const char* const kCells[]
        = { "", "0", "1", "439.125", "600", "D023N", "88.5", "Off", "\"", "\"\"", "1,5" };
    unsigned state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return state >> 16;
    };
    const RadioImage before = doc.Image();
    int accepted = 0;
    for (int round = 0; round < 400; ++round) {
        std::string text = round % 2 ? "channel;rxFreq;rxTone;txFreq;txTone;option5;highPower\r\n"
                                     : "channel,rxFreq,rxTone,txFreq,txTone,option5,highPower\n";
        const char separator = round % 2 ? ';' : ',';
        const int rows = static_cast<int>(next() % 6);
        for (int r = 0; r < rows; ++r) {
            text += std::to_string(1 + next() % 17);
            for (int c = 0; c < 6; ++c) {
                text += separator;
                if (next() % 3) {
                    text += kCells[next() % std::size(kCells)];
                } else {
                    for (unsigned k = next() % 6; k > 0; --k)
                        text += kAlphabet[next() % kAlphabet.size()];
                }
            }
            text += round % 2 ? "\r\n" : "\n";
        }
        const ChannelCsvImport import = PrepareChannelsCsvImport(doc, text, 16);
        if (!import.ok()) {
            EXPECT_GE(import.errorLine, 1) << text;
            EXPECT_FALSE(DescribeChannelsCsvError(import, false).empty());
            continue;
        }
        ++accepted;
        for (const ChannelCsvAdjustment& adjustment : import.adjustments)
            EXPECT_FALSE(DescribeChannelsCsvAdjustment(adjustment, false).empty());
        for (std::size_t i = 0; i < RadioImage::kSize; ++i) {
            const bool channelByte = i >= 0x10 && i < 0x110;
            if (!channelByte && i != RadioImage::kPriorityChannel) {
                ASSERT_EQ(import.image.bytes[i], before.bytes[i]) << "byte " << i << " after\n" << text;
            }
        }
    }
    EXPECT_GT(accepted, 40) << "the noise must also reach the commit rules";
    EXPECT_EQ(doc.Image().bytes, before.bytes);
}

} // namespace
