#include "model/bcd_frequency.h"
#include "model/symbol_code.h"
#include "model/tone_code.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct FreqCase {
    const char* entered;
    BcdFrequency stored;
    const char* shown;
};

// The raster rules: same kHz keeps the 6.25 kHz point, otherwise the nearer of
// the 6.25 kHz and 5 kHz points, the 5 kHz point on a tie, 2.5 kHz rounding down.
const FreqCase kFreqCases[] = {
    {"439.125", {0x00, 0x25, 0x91, 0x43}, "439.12500"},
    {"439.12", {0x00, 0x20, 0x91, 0x43}, "439.12000"},
    {"439.119", {0x75, 0x18, 0x91, 0x43}, "439.11875"},
    {"439.12375", {0x00, 0x25, 0x91, 0x43}, "439.12500"},
    {"146.0075", {0x25, 0x06, 0x60, 0x14}, "146.00625"},
    {"146.00550", {0x00, 0x05, 0x60, 0x14}, "146.00500"},
    {"146.01375", {0x00, 0x15, 0x60, 0x14}, "146.01500"},
    {"462.5625", {0x50, 0x62, 0x25, 0x46}, "462.56250"},
    {"150.0025", {0x00, 0x00, 0x00, 0x15}, "150.00000"},
    {"439.1255", {0x00, 0x25, 0x91, 0x43}, "439.12500"}, // the 1 Hz digit is dropped first
    {"439", {0x00, 0x00, 0x90, 0x43}, "439.00000"},
    {"5", {0x00, 0x00, 0x50, 0x00}, "05.00000"},
    {"50.125", {0x00, 0x25, 0x01, 0x05}, "50.12500"},
};

TEST(FrequencyCodec, EnteredTextIsSnappedPackedAndShown)
{
    for (const FreqCase& c : kFreqCases) {
        SCOPED_TRACE(c.entered);
        const BcdFrequency bytes = PackBcdFrequency(SnapToRaster(ParseFreqText(c.entered)));
        EXPECT_EQ(bytes, c.stored);
        EXPECT_EQ(FormatFreqText(bytes.data()), c.shown);
    }
}

TEST(FrequencyCodec, ParseMovesThePointFiveDigitsAndDropsTheRest)
{
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"439.125", 43912500}, {"439", 43900000}, {"439.1234567", 43912345}, {".5", 50000},
        {"", 0}, {"abc", 0}, {"99999999999999", INT32_MAX}, {"-99999999999999", INT32_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseFreqText(c.text), c.value);
    }
}

TEST(FrequencyCodec, PackingStaysInsideEightDigits)
{
    EXPECT_EQ(PackBcdFrequency(-500000), (BcdFrequency{0, 0, 0, 0}));
    EXPECT_EQ(PackBcdFrequency(INT32_MAX), (BcdFrequency{0x99, 0x99, 0x99, 0x99}));
    EXPECT_EQ(PackBcdFrequency(SnapToRaster(INT32_MAX)), (BcdFrequency{0x99, 0x99, 0x99, 0x99}));
    EXPECT_EQ(SnapToRaster(-7), 0);
}

TEST(FrequencyCodec, ByteThreeAbove0x99MeansNoFrequency)
{
    const std::uint8_t marked[] = {0x00, 0x00, 0x00, 0xA0};
    const std::uint8_t highest[] = {0x99, 0x99, 0x99, 0x99};
    const std::uint8_t reset[] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(FormatFreqText(marked), "");
    EXPECT_EQ(FormatFreqText(reset), "");
    EXPECT_EQ(FormatFreqText(highest), "999.99999");
}

TEST(FrequencyCodec, BandLimitTextHasThreeAndFiveDigits)
{
    EXPECT_EQ(FormatBandLimit(52000000), "520.00000");
    EXPECT_EQ(FormatBandLimit(10000000), "100.00000");
    EXPECT_EQ(FormatBandLimit(4000000), "040.00000");
}

TEST(ToneCodec, TextToCode)
{
    const struct {
        const char* text;
        ToneCode code;
    } cases[] = {
        {"88.5", 0x0885}, {"67", 0x0670}, {"67.0", 0x0670}, {"254.1", 0x2541},
        {"300", 0x2541},  // clamped to 254.1 Hz
        {"50", 0x0670}, {"1.23", 0x0670}, // clamped up to 67.0 Hz
        {"88.57", 0x0885}, {"99999999999999", 0x2541},
        {"D023N", 0x8023}, {"D754I", 0xC754}, {"d754i", 0xC754}, {"D754i", 0xC754},
        {"D023", 0x8023}, {"D089N", 0x8023}, {"D023X", 0x8023}, {"D0234N", 0x8023}, {"D", 0x8023},
        {"", kToneOff}, {"Off", kToneOff}, {"-", kToneOff}, {" 88.5", kToneOff},
        {"0ff", 0x0670}, // an off text starting with a digit is read as a tone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseToneText(c.text), c.code);
    }
}

TEST(ToneCodec, CodeToText)
{
    const struct {
        ToneCode code;
        const char* text;
    } cases[] = {
        {0x0885, "88.5"}, {0x0670, "67.0"}, {0x2541, "254.1"}, {0x8023, "D023N"}, {0xC754, "D754I"},
        {0xFFFF, "Off"}, {0xFF12, "Off"}, {0x1AB3, "1ab.3"}, // non-BCD digits print as hex
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatToneText(c.code, "Off"), c.text);
    }
}

TEST(SymbolCode, PttCodes)
{
    const PttCodeBytes expected = {1, 2, 10, 11, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(PttCodeFromText("12AB"), expected);
    EXPECT_EQ(PttCodeFromText("12ab"), expected);
    EXPECT_EQ(PttCodeToText(expected.data(), expected.size()), "12AB");

    // The first character outside 0-9, A-D ends the code; later ones are lost.
    EXPECT_EQ(PttCodeToText(PttCodeFromText("12E4").data(), 15), "12");
    EXPECT_EQ(PttCodeToText(PttCodeFromText("0123456789ABCD01234").data(), 15), "0123456789ABCD0");
    PttCodeBytes none;
    none.fill(0xFF);
    EXPECT_EQ(PttCodeFromText(""), none);
    const std::uint8_t stored[] = {3, 14, 4};
    EXPECT_EQ(PttCodeToText(stored, 3), "3"); // code 14 ends the text
}

TEST(SymbolCode, PasswordKeepsCase)
{
    EXPECT_EQ(PasswordFromText("aZ9"), (PasswordBytes{36, 35, 9, 0xFF, 0xFF, 0xFF}));
    EXPECT_NE(PasswordFromText("a"), PasswordFromText("A"));
    EXPECT_EQ(PasswordToText(PasswordFromText("Ab3xYz").data(), 6), "Ab3xYz");
    EXPECT_EQ(PasswordToText(PasswordFromText("abcdefgh").data(), 6), "abcdef");
    EXPECT_EQ(PasswordToText(PasswordFromText("ab-cd").data(), 6), "ab");
    const std::uint8_t stored[] = {61, 62, 1};
    EXPECT_EQ(PasswordToText(stored, 3), "z");
}

} // namespace
