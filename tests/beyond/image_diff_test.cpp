// Image compare: each difference named by channel or setting, both values as
// the editor shows them; unnamed bytes by offset; the compared range.

#include "beyond/beyond_env.h"

#include "model/channel_edit.h"
#include "model/image_diff.h"
#include "model/velmar_doc.h"

namespace {

std::vector<std::string> Lines(const RadioImage& a, const RadioImage& b, std::size_t length)
{
    std::vector<std::string> lines;
    for (const ImageDifference& d : DiffImages(a, b, length, false))
        lines.push_back(FormatImageDifference(d, "file", "radio"));
    return lines;
}

TEST_F(BeyondTest, DifferencesAreNamedByChannelAndSettingInImageOrder)
{
    CVelmarDoc a;
    a.OnNewDocument();
    FillAllChannels(a);
    CVelmarDoc b;
    b.Image() = a.Image();
    EXPECT_TRUE(DiffImages(a.Image(), b.Image(), RadioImage::kSize, false).empty());

    CommitFrequency(b, 3, 3, "445.525");
    CommitTone(b, 5, 2, "D023I");
    SetChannelOption(b, 16, 6, 1 - b.GetNarrowBand(16));
    b.SetSquelchLevel(8);
    b.SetPriorityChannel(3);
    b.SetPttCodeText(false, "9");
    b.Image().bytes[0x200] = 0x00; // reserved, named by its offset
    b.Image().bytes[16 * 7 + 12] ^= 2; // the reserved bit of the channel flags
    b.SetCalibration(0, 1); // outside what a transfer moves

    EXPECT_EQ(Lines(a.Image(), b.Image(), RadioImage::kClonedSize),
        (std::vector<std::string> {
            "channel 3 transmit frequency: file 422.50000, radio 445.52500",
            "channel 5 receive tone: file Off, radio D023I",
            "channel 5 transmit tone: file Off, radio D023I",
            "byte 0x07C: file 47, radio 45",
            "channel 16 narrowBand: file 0, radio 1",
            "byte 0x200: file FF, radio 00",
            "squelchLevel: file 3, radio 8",
            "priorityChannel: file Off, radio 3",
            "txEndCode: file , radio 9",
        }));
    const auto whole = Lines(a.Image(), b.Image(), RadioImage::kSize);
    ASSERT_FALSE(whole.empty());
    EXPECT_EQ(whole.back(), "powerCalibration 0: file 255, radio 1");
}

TEST_F(BeyondTest, EqualTextsShowTheBytesThatDiffer)
{
    CVelmarDoc a;
    a.OnNewDocument();
    CVelmarDoc b;
    b.Image() = a.Image();
    // Tone off with another low byte still reads "Off".
    b.Image().bytes[16 * 2 + 8] = 0x00;
    EXPECT_EQ(Lines(a.Image(), b.Image(), RadioImage::kClonedSize),
        (std::vector<std::string> { "channel 2 receive tone: file FF FF, radio 00 FF" }));
}

} // namespace
