#include "model/model_env.h"
#include "model/velmar_doc.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Bytes = std::array<std::uint8_t, RadioImage::kSize>;

std::size_t FlagsOffset(int n)
{
    return RadioImage::kChannelSize * static_cast<std::size_t>(n) + RadioImage::kChannelFlags;
}

class VelmarDocTest : public ::testing::Test {
protected:
    ModelEnv env;
    CVelmarDoc doc;
    Bytes& image() { return doc.Image().bytes; }
};

TEST_F(VelmarDocTest, ResetImageReadsThroughTheClamps)
{
    doc.DeleteContents();
    EXPECT_EQ(doc.GetSquelchLevel(), 9);
    EXPECT_EQ(doc.GetSideKey1(), 15);
    EXPECT_EQ(doc.GetSideKey2(), 15);
    EXPECT_EQ(doc.GetSideKey1Long(), 15);
    EXPECT_EQ(doc.GetSideKey2Long(), 15);
    EXPECT_EQ(doc.GetTxTimeout(), 10);
    EXPECT_EQ(doc.GetVoxLevel(), 9);
    EXPECT_EQ(doc.GetVoxDelay(), 6);
    EXPECT_EQ(doc.GetVoiceAnnunciation(), 2);
    EXPECT_EQ(doc.GetPttId(), 3);
    EXPECT_EQ(doc.GetPriorityChannel(), 0);
    for (int n = 1; n <= 16; ++n)
        EXPECT_TRUE(doc.IsRxEmpty(n)) << n;
    // The getters clamp what they report, never the stored byte.
    EXPECT_EQ(image()[RadioImage::kSquelchLevel], 0xFF);
}

TEST_F(VelmarDocTest, DefaultsAfterReset)
{
    doc.DeleteContents();
    doc.ApplyDefaults();
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(image()[FlagsOffset(n)], 0xEB) << n;
        EXPECT_TRUE(doc.IsRxEmpty(n));
        EXPECT_EQ(doc.GetToneCode(n, true), 0xFFFF);
        EXPECT_EQ(doc.GetToneCode(n, false), 0xFFFF);
    }
    EXPECT_EQ(image()[RadioImage::kSettingFlags], 0x86);
    EXPECT_EQ(doc.GetSquelchLevel(), 3);
    EXPECT_EQ(doc.GetTxTimeout(), 6);
    EXPECT_EQ(doc.GetVoxLevel(), 5);
    EXPECT_EQ(doc.GetVoxDelay(), 0);
    EXPECT_EQ(doc.GetSideKey1() + doc.GetSideKey2() + doc.GetSideKey1Long() + doc.GetSideKey2Long(), 0);
    EXPECT_EQ(image()[RadioImage::kPriorityChannel], 0xFF);
    const std::uint8_t tag[] = {0x47, 0x48, 0xFF, 0x4E, 0x33, 0x36, 0x32};
    EXPECT_TRUE(std::equal(std::begin(tag), std::end(tag), &image()[RadioImage::kModelTag]));
    EXPECT_EQ(doc.GetPttCodeText(true), "");
    EXPECT_EQ(doc.GetPttCodeText(false), "");
    EXPECT_EQ(doc.GetReadPasswordText(), "");
}

TEST_F(VelmarDocTest, DefaultsKeepFrequenciesTonesCodesAndReservedBits)
{
    doc.DeleteContents();
    image()[FlagsOffset(2)] = 0x00; // bit 1 clear must survive
    image()[RadioImage::kSettingFlags] = 0x00; // bit 7 clear must survive
    doc.SetFreqText(2, true, "145.5");
    doc.SetToneText(2, false, "D754I");
    doc.SetPttCodeText(true, "12AB");
    doc.SetReadPasswordText("abc");
    doc.SetCalibration(3, 77);
    doc.ApplyDefaults();
    EXPECT_EQ(image()[FlagsOffset(2)], 0xE9);
    EXPECT_EQ(image()[RadioImage::kSettingFlags], 0x06);
    EXPECT_EQ(doc.GetFreqText(2, true), "145.50000");
    EXPECT_EQ(doc.GetToneText(2, false), "D754I");
    EXPECT_EQ(doc.GetPttCodeText(true), "12AB");
    EXPECT_EQ(doc.GetReadPasswordText(), "abc");
    EXPECT_EQ(doc.GetCalibration(3), 77);
}

TEST_F(VelmarDocTest, EachOptionSetterChangesOnlyItsOwnBit)
{
    const struct {
        const char* name;
        int bit;
        std::function<void(int, int)> set;
        std::function<int(int)> get;
    } options[] = {
        {"option8", 0, [&](int n, int v) { doc.SetOption8(n, v); }, [&](int n) { return doc.GetOption8(n); }},
        {"narrowBand", 2, [&](int n, int v) { doc.SetNarrowBand(n, v); }, [&](int n) { return doc.GetNarrowBand(n); }},
        {"highPower", 3, [&](int n, int v) { doc.SetHighPower(n, v); }, [&](int n) { return doc.GetHighPower(n); }},
        {"option5", 4, [&](int n, int v) { doc.SetOption5(n, v); }, [&](int n) { return doc.GetOption5(n); }},
        {"option9", 5, [&](int n, int v) { doc.SetOption9(n, v); }, [&](int n) { return doc.GetOption9(n); }},
        {"option10", 6, [&](int n, int v) { doc.SetOption10(n, v); }, [&](int n) { return doc.GetOption10(n); }},
        {"option11", 7, [&](int n, int v) { doc.SetOption11(n, v); }, [&](int n) { return doc.GetOption11(n); }},
    };
    for (const auto& option : options) {
        SCOPED_TRACE(option.name);
        doc.DeleteContents();
        Bytes expected = image();
        option.set(3, 0);
        expected[FlagsOffset(3)] = static_cast<std::uint8_t>(0xFF & ~(1 << option.bit));
        EXPECT_EQ(image(), expected);
        EXPECT_EQ(option.get(3), 0);
        option.set(3, 42); // any non-zero value sets the bit
        expected[FlagsOffset(3)] = 0xFF;
        EXPECT_EQ(image(), expected);
        EXPECT_EQ(option.get(3), 1);
    }
}

TEST_F(VelmarDocTest, TwoBitSettersStayInsideTheirBits)
{
    doc.DeleteContents();
    image()[RadioImage::kSettingFlags] = 0x00;
    doc.SetVoiceAnnunciation(0xFF);
    EXPECT_EQ(image()[RadioImage::kSettingFlags], 0x0C);
    doc.SetPttId(7);
    EXPECT_EQ(image()[RadioImage::kSettingFlags], 0x3C);
    doc.SetPttId(2);
    doc.SetVoiceAnnunciation(1);
    EXPECT_EQ(image()[RadioImage::kSettingFlags], 0x24);
    EXPECT_EQ(doc.GetPttId(), 2);
    EXPECT_EQ(doc.GetVoiceAnnunciation(), 1);
}

TEST_F(VelmarDocTest, PriorityChannelIsStoredAsNumberMinusOne)
{
    doc.SetPriorityChannel(5);
    EXPECT_EQ(image()[RadioImage::kPriorityChannel], 0x04);
    EXPECT_EQ(doc.GetPriorityChannel(), 5);
    doc.SetPriorityChannel(0);
    EXPECT_EQ(image()[RadioImage::kPriorityChannel], 0xFF);
    EXPECT_EQ(doc.GetPriorityChannel(), 0);
}

TEST_F(VelmarDocTest, ChannelPredicates)
{
    doc.DeleteContents();
    auto put = [&](int n, std::size_t field, std::array<std::uint8_t, 4> bytes) {
        std::copy(bytes.begin(), bytes.end(), &image()[16 * static_cast<std::size_t>(n) + field]);
    };
    put(1, RadioImage::kRxFreq, {0x00, 0x00, 0x00, 0xA0});
    put(2, RadioImage::kRxFreq, {0x99, 0x99, 0x99, 0x99});
    put(3, RadioImage::kTxFreq, {0x00, 0x00, 0x50, 0x14}); // transmit without receive
    EXPECT_TRUE(doc.IsRxEmpty(1));
    EXPECT_FALSE(doc.IsRxEmpty(2));
    EXPECT_TRUE(doc.IsTxEmpty(2));
    EXPECT_TRUE(doc.IsRxEmpty(3));
    EXPECT_TRUE(doc.IsTxEmpty(3));
    EXPECT_TRUE(doc.IsSimplex(4)); // two empty frequencies are equal
    EXPECT_FALSE(doc.IsSimplex(3));
    EXPECT_TRUE(doc.IsSameTone(4));
    doc.SetToneText(4, true, "88.5");
    EXPECT_FALSE(doc.IsSameTone(4));
}

TEST_F(VelmarDocTest, ChannelNumbersOutsideTheTableTouchNothing)
{
    doc.DeleteContents();
    doc.ApplyDefaults();
    const Bytes before = image();
    for (int n : {-1, 0, 17, 255, 100000}) {
        SCOPED_TRACE(n);
        doc.SetFreqText(n, true, "145.5");
        doc.SetFreqText(n, false, "");
        doc.SetToneText(n, true, "88.5");
        doc.SetOption5(n, 1);
        doc.SetNarrowBand(n, 1);
        doc.SetOption8(n, 0);
        EXPECT_TRUE(doc.IsRxEmpty(n));
        EXPECT_TRUE(doc.IsTxEmpty(n));
        EXPECT_FALSE(doc.IsSimplex(n));
        EXPECT_EQ(doc.GetFreqText(n, true), "");
        EXPECT_EQ(doc.GetToneText(n, true), "Off");
        EXPECT_EQ(doc.GetOption8(n), 0);
    }
    doc.SetCalibration(-1, 1);
    doc.SetCalibration(6, 1);
    EXPECT_EQ(doc.GetCalibration(6), 0);
    EXPECT_EQ(image(), before);
}

TEST_F(VelmarDocTest, FrequencyAndToneTexts)
{
    doc.SetFreqText(1, true, "439.1255");
    EXPECT_EQ(doc.GetFreqText(1, true), "439.12500");
    const std::uint8_t stored[] = {0x00, 0x25, 0x91, 0x43};
    EXPECT_TRUE(std::equal(std::begin(stored), std::end(stored), &image()[0x10]));
    doc.SetFreqText(1, true, "");
    EXPECT_EQ(image()[0x13], 0xFF);
    EXPECT_EQ(image()[0x10], 0xFF);
    EXPECT_EQ(doc.GetFreqText(1, true), "");

    doc.SetToneText(1, false, "D754I");
    EXPECT_EQ(image()[0x1A], 0x54);
    EXPECT_EQ(image()[0x1B], 0xC7);
    EXPECT_EQ(doc.GetToneText(1, false), "D754I");
    doc.SetToneText(1, false, "Off");
    EXPECT_EQ(doc.GetToneText(1, false), "Off"); // the language file's text
}

TEST_F(VelmarDocTest, BandCheckIsInclusive)
{
    doc.SelectModel(0); // 400-520 MHz
    const struct {
        const char* text;
        int side;
    } cases[] = {
        {"520", 0}, {"520.00001", 1}, {"400", 0}, {"399.99999", -1}, {"", 0}, {"600", 1}, {"abc", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(doc.CheckBand(c.text), c.side);
    }
    EXPECT_EQ(doc.GetBandLimitText(1), "520.00000");
    EXPECT_EQ(doc.GetBandLimitText(0), "400.00000");
    EXPECT_EQ(doc.GetBandLimitText(-1), "400.00000");
}

TEST_F(VelmarDocTest, CodesAndPasswordCopyWholeFields)
{
    doc.DeleteContents();
    doc.SetPttCodeText(false, "12ab");
    std::uint8_t code[15];
    doc.GetPttCode(false, code);
    EXPECT_EQ(code[0], 1);
    EXPECT_EQ(code[3], 11);
    EXPECT_EQ(code[4], 0xFF);
    EXPECT_EQ(image()[RadioImage::kTxEndCode + 2], 10);
    EXPECT_EQ(doc.GetPttCodeText(true), ""); // the start code is separate
    doc.SetReadPasswordText("aB1");
    const std::uint8_t expected[] = {36, 11, 1, 0xFF, 0xFF, 0xFF};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), &image()[RadioImage::kReadPassword]));
    EXPECT_EQ(image()[RadioImage::kReadPassword + 6], 0xFF); // nothing beyond six bytes
}

} // namespace
