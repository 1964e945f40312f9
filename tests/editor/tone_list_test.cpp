// The tone-list resources and the tone list built from them: every record of
// 134, 135 and 136 against the published lists, the 8-byte record layout, and
// the 259 entries of the list in their order.

#include "editor/editor_fixture.h"
#include "editor/tone_cell_combo.h"
#include "model/tone_code.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kCtcss[] = {"67.0", "69.3", "71.9", "74.4", "77.0", "79.7", "82.5", "85.4",
    "88.5", "91.5", "94.8", "97.4", "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0",
    "127.3", "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5",
    "167.9", "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6",
    "199.5", "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3",
    "254.1"};

const char* const kDcs[] = {"023", "025", "026", "031", "032", "036", "043", "047", "051", "053",
    "054", "065", "071", "072", "073", "074", "114", "115", "116", "122", "125", "131", "132",
    "134", "143", "145", "152", "155", "156", "162", "165", "172", "174", "205", "212", "223",
    "225", "226", "243", "244", "245", "246", "251", "252", "255", "261", "263", "265", "266",
    "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351", "356", "364",
    "365", "371", "411", "412", "413", "423", "431", "432", "445", "446", "452", "454", "455",
    "462", "464", "465", "466", "503", "506", "516", "523", "526", "532", "546", "565", "606",
    "612", "624", "627", "631", "632", "654", "662", "664", "703", "712", "723", "731", "732",
    "734", "743", "754"};

std::vector<std::string> Expected(int id)
{
    std::vector<std::string> texts;
    if (id == 136) {
        texts.assign(std::begin(kCtcss), std::end(kCtcss));
    } else {
        for (const char* code : kDcs)
            texts.push_back(std::string("D") + code + (id == 135 ? "N" : "I"));
    }
    return texts;
}

class ToneResource : public ::testing::TestWithParam<int> {};

TEST_P(ToneResource, HoldsTheListAsPaddedEightByteRecords)
{
    const int id = GetParam();
    const std::vector<std::string> expected = Expected(id);
    const QByteArray bytes = CToneCellCombo::ToneResource(id);
    ASSERT_EQ(bytes.size(), static_cast<qsizetype>(expected.size() * 8));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string record(bytes.constData() + i * 8, 8);
        const std::string text = record.substr(0, record.find('\0'));
        EXPECT_EQ(text, expected[i]) << id << " record " << i;
        EXPECT_EQ(record.find_first_not_of('\0', text.size()), std::string::npos) << id << " record " << i;
        // Each text is what the tone codec shows for the code it stores, so
        // the list finds a cell's value by its text.
        EXPECT_EQ(FormatToneText(ParseToneText(text), "Off"), text);
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, ToneResource, ::testing::Values(134, 135, 136));

TEST(ToneResourceIds, OtherIdsHoldNothing)
{
    EXPECT_TRUE(CToneCellCombo::ToneResource(133).isEmpty());
    EXPECT_TRUE(CToneCellCombo::ToneResource(137).isEmpty());
}

class ToneList : public EditorFixture {};

TEST_F(ToneList, HoldsOffThenCtcssThenBothDcsPolaritiesInCapitals)
{
    Start();
    auto* tones = Control<CToneCellCombo>(1019);
    ASSERT_EQ(tones->count(), 259);
    EXPECT_EQ(tones->itemText(0), QStringLiteral("OFF"));
    EXPECT_EQ(tones->itemText(1), QStringLiteral("67.0"));
    EXPECT_EQ(tones->itemText(50), QStringLiteral("254.1"));
    EXPECT_EQ(tones->itemText(51), QStringLiteral("D023N"));
    EXPECT_EQ(tones->itemText(154), QStringLiteral("D754N"));
    EXPECT_EQ(tones->itemText(155), QStringLiteral("D023I"));
    EXPECT_EQ(tones->itemText(258), QStringLiteral("D754I"));
}

} // namespace
