// Hostile input files: data files of every awkward size, with good and bad
// signatures and noise everywhere; settings and language files with binary
// garbage, megabyte lines, duplicate sections, keys without values, CR LF line
// ends, a byte-order mark and odd channel counts. Each loads or is refused
// with a clear message, through velmar-cli and through the model, and
// AddressSanitizer sees every byte read.

#include "hardening/child_process.h"
#include "model/channel_edit.h"
#include "model/velmar_doc.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr std::string_view kSignature = "Tavro Radio Program data";
constexpr std::size_t kFileSize = 48 + 4096;

std::string Noise(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string Shipped(const char* name)
{
    return TempDir::ReadFile(std::string(VELMAR_RESOURCE_DIR "/") + name);
}

std::string Fixture(const char* name)
{
    return TempDir::ReadFile(std::string(VELMAR_FIXTURE_DIR "/hostile/") + name);
}

std::string WithCrLfAndBom(const std::string& text)
{
    std::string out = "\xEF\xBB\xBF";
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// "name: value" lines of velmar-cli show, by name.
std::map<std::string, std::string> ShownFields(const std::string& out)
{
    std::map<std::string, std::string> fields;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos)
            fields[line.substr(0, colon)] = line.substr(colon + 2);
    }
    return fields;
}

// Channel rows of velmar-cli show: the lines after the blank one.
int ShownRows(const std::string& out)
{
    const std::size_t blank = out.find("\n\n");
    if (blank == std::string::npos)
        return -1;
    const std::string rows = out.substr(blank + 2);
    return static_cast<int>(std::count(rows.begin(), rows.end(), '\n'));
}

class HostileFileTest : public ::testing::Test {
protected:
    HostileFileTest()
    {
        ::chmod(dir.path().c_str(), 0755);
        UseFiles(Shipped("setting.ini"), Shipped("english.lang"));
    }

    void UseFiles(const std::string& settings, const std::string& language)
    {
        TempDir::WriteFile(ini, settings);
        TempDir::WriteFile(lang, language);
        SetSettingsFile(ini);
        SetLanguageFile(lang);
    }

    CliResult Show(const std::string& file) { return RunCli({ "--settings", ini, "show", file }); }

    TempDir dir;
    // The language file the settings name ("english") lies beside them.
    std::string ini = dir.file("setting.ini");
    std::string lang = dir.file("english.lang");
    std::string data = dir.file("radio.dig");
};

// ---- data files ---------------------------------------------------------------

struct DataFileCase {
    const char* name;
    std::size_t size;
    bool signature;
};

void PrintTo(const DataFileCase& c, std::ostream* out)
{
    *out << c.name;
}

class HostileDataFileTest : public HostileFileTest, public ::testing::WithParamInterface<DataFileCase> {
};

TEST_P(HostileDataFileTest, LoadsWhatItCarriesOrIsRefused)
{
    const DataFileCase& c = GetParam();
    std::string bytes = Noise(c.size, static_cast<unsigned>(c.size));
    if (c.signature)
        std::memcpy(bytes.data(), kSignature.data(), std::min(c.size, kSignature.size()));
    else
        bytes[0] = 'X';
    TempDir::WriteFile(data, bytes);
    // An empty file is an empty document; a short one that matches the
    // signature as far as it goes is accepted.
    const bool loads = c.signature;

    CVelmarDoc doc;
    doc.OnNewDocument();
    std::string error;
    ASSERT_TRUE(doc.OnOpenDocument(data, &error)) << error;
    EXPECT_EQ(doc.GetLastLoadResult() == CVelmarDoc::LoadResult::Ok, loads);
    const std::size_t carried = c.size > 48 && loads ? std::min(c.size - 48, std::size_t { 4096 }) : 0;
    EXPECT_EQ(std::memcmp(doc.Image().bytes.data(), bytes.data() + std::min(c.size, std::size_t { 48 }), carried), 0);
    EXPECT_TRUE(std::all_of(doc.Image().bytes.begin() + static_cast<std::ptrdiff_t>(carried), doc.Image().bytes.end(),
        [](std::uint8_t b) { return b == 0xFF; }));
    for (int row = 1; row <= 16; ++row)
        for (int column = 1; column < kChannelColumnCount; ++column)
            EXPECT_LE(ChannelCellText(doc, row, column).size(), 16u);

    const CliResult show = Show(data);
    if (!loads) {
        EXPECT_EQ(show.exitCode, 1);
        EXPECT_EQ(show.err, "velmar-cli: " + data + " is not a radio data file (wrong signature)\n");
        return;
    }
    ASSERT_EQ(show.exitCode, 0) << show.err;
    const auto fields = ShownFields(show.out);
    const std::pair<const char*, int> limits[] = { { "squelchLevel", 9 }, { "txTimeout", 10 }, { "voxLevel", 9 },
        { "voxDelay", 6 }, { "sideKey1", 15 }, { "sideKey2Long", 15 }, { "voiceAnnunciation", 2 }, { "pttId", 3 },
        { "scanMode", 1 }, { "beep", 1 } };
    for (const auto& [name, max] : limits) {
        ASSERT_TRUE(fields.count(name)) << name;
        const int value = std::stoi(fields.at(name));
        EXPECT_TRUE(value >= 0 && value <= max) << name << " " << value;
    }
    EXPECT_EQ(ShownRows(show.out), 16);
}

INSTANTIATE_TEST_SUITE_P(Sizes, HostileDataFileTest,
    ::testing::Values(DataFileCase { "Empty", 0, true }, DataFileCase { "OneByte", 1, true },
        DataFileCase { "OneByteBadSignature", 1, false }, DataFileCase { "HeaderLessOne", 47, true },
        DataFileCase { "HeaderLessOneBadSignature", 47, false }, DataFileCase { "HeaderOnly", 48, true },
        DataFileCase { "HeaderOnlyBadSignature", 48, false }, DataFileCase { "Short", 1000, true },
        DataFileCase { "ShortBadSignature", 1000, false }, DataFileCase { "Exact", kFileSize, true },
        DataFileCase { "ExactBadSignature", kFileSize, false }, DataFileCase { "Megabyte", 1 << 20, true },
        DataFileCase { "MegabyteBadSignature", 1 << 20, false }),
    [](const ::testing::TestParamInfo<DataFileCase>& info) { return std::string(info.param.name); });

// Noise in every reserved byte (and everywhere else) survives an edit:
// setting one field changes exactly its own byte.
TEST_F(HostileFileTest, NoiseInReservedBytesSurvivesAnEdit)
{
    std::string bytes = Noise(kFileSize, 7);
    std::memcpy(bytes.data(), kSignature.data(), kSignature.size());
    TempDir::WriteFile(data, bytes);
    const CliResult set = RunCli({ "--settings", ini, "set", data, "squelchLevel=5" });
    ASSERT_EQ(set.exitCode, 0) << set.err;
    std::string expected = bytes;
    expected[48 + 0x3C1] = 5;
    EXPECT_EQ(TempDir::ReadFile(data), expected);
}

// ---- settings files -------------------------------------------------------------

struct SettingsCase {
    const char* name;
    std::string settings;
    int rows; // channel rows velmar-cli show prints
};

void PrintTo(const SettingsCase& c, std::ostream* out)
{
    *out << c.name;
}

class HostileSettingsTest : public HostileFileTest, public ::testing::WithParamInterface<SettingsCase> {
};

std::string ShippedWithChannel(const std::string& value)
{
    std::string text = Shipped("setting.ini");
    const std::size_t at = text.find("\nchannel=16\n");
    return text.replace(at, 12, "\nchannel=" + value + "\n");
}

TEST_P(HostileSettingsTest, ShowRunsWithTheRowsTheFileAllows)
{
    const SettingsCase& c = GetParam();
    CVelmarDoc blank;
    blank.OnNewDocument();
    ASSERT_TRUE(blank.OnSaveDocument(data));
    const CliResult reference = Show(data);

    UseFiles(c.settings, Shipped("english.lang"));
    const CliResult show = Show(data);
    ASSERT_EQ(show.exitCode, 0) << show.err;
    EXPECT_EQ(ShownRows(show.out), c.rows) << show.out;

    // The model reads its catalogue from the same file without tripping.
    CVelmarDoc doc;
    for (int model = 0; model <= 16; ++model) {
        doc.SelectModel(model);
        EXPECT_GE(doc.GetModelIndex(), 0);
        EXPECT_LE(doc.GetBandLimitText(-1).size(), 16u);
    }
    if (std::string_view(c.name).starts_with("Equivalent")) {
        EXPECT_EQ(show.out, reference.out);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, HostileSettingsTest,
    ::testing::Values(SettingsCase { "ChannelMinusOne", ShippedWithChannel("-1"), 0 },
        SettingsCase { "ChannelZero", ShippedWithChannel("0"), 0 },
        SettingsCase { "ChannelSeventeen", ShippedWithChannel("17"), 16 },
        SettingsCase { "ChannelHuge", ShippedWithChannel("99999"), 16 },
        SettingsCase { "ChannelTwentyDigits", ShippedWithChannel("99999999999999999999"), 16 },
        SettingsCase { "ChannelText", ShippedWithChannel("abc"), 0 },
        SettingsCase { "ChannelWithTrailingText", ShippedWithChannel("5 rows"), 5 },
        SettingsCase { "EquivalentCrLfAndBom", WithCrLfAndBom(Shipped("setting.ini")), 16 },
        SettingsCase { "EquivalentAfterAMegabyteLine", std::string(1 << 20, 'x') + "\n" + Shipped("setting.ini"), 16 },
        SettingsCase { "MegabyteValue", ShippedWithChannel(std::string(1 << 20, '7')), 16 },
        SettingsCase { "BinaryGarbage", Noise(4096, 3), 0 },
        SettingsCase { "DuplicateSections", Fixture("setting-duplicate-sections.ini"), 4 },
        SettingsCase { "KeysWithoutValues", Fixture("setting-keys-without-values.ini"), 0 }),
    [](const ::testing::TestParamInfo<SettingsCase>& info) { return std::string(info.param.name); });

// ---- language files -------------------------------------------------------------

struct LanguageCase {
    const char* name;
    std::string language;
    std::string offText; // what IDS_OFF reads as
};

void PrintTo(const LanguageCase& c, std::ostream* out)
{
    *out << c.name;
}

class HostileLanguageTest : public HostileFileTest, public ::testing::WithParamInterface<LanguageCase> {
};

TEST_P(HostileLanguageTest, TextsComeOutBoundedAndShowRuns)
{
    const LanguageCase& c = GetParam();
    UseFiles(Shipped("setting.ini"), c.language);
    EXPECT_EQ(LoadLangString("IDS_OFF"), c.offText);
    for (const char* section : { "VoiceAnnunciation", "PttId", "MonitorKey", "ScanMode" })
        for (const std::string& entry : LoadLangList(section))
            EXPECT_LT(entry.size(), 30u);
    EXPECT_LT(LoadResourceText(-1).size(), 1024u);

    CVelmarDoc doc;
    doc.OnNewDocument();
    EXPECT_EQ(doc.GetToneText(1, true), c.offText);
    ASSERT_TRUE(doc.OnSaveDocument(data));
    const CliResult show = Show(data);
    ASSERT_EQ(show.exitCode, 0) << show.err;
    EXPECT_EQ(ShownRows(show.out), 16);
}

std::string ShippedWithOff(const std::string& value)
{
    std::string text = Shipped("english.lang");
    const std::size_t at = text.find("\nIDS_OFF=Off\n");
    return text.replace(at, 13, "\nIDS_OFF=" + value + "\n");
}

INSTANTIATE_TEST_SUITE_P(Files, HostileLanguageTest,
    ::testing::Values(LanguageCase { "CrLfAndBom", WithCrLfAndBom(Shipped("english.lang")), "Off" },
        LanguageCase { "BinaryGarbage", Noise(8192, 5), "Not Found" },
        LanguageCase { "MegabyteValueIsCut", ShippedWithOff(std::string(1 << 20, 'o')), std::string(999, 'o') },
        LanguageCase { "MegabyteLineBefore", std::string(1 << 20, '[') + "\n" + Shipped("english.lang"), "Off" },
        LanguageCase { "KeyWithoutValue", ShippedWithOff(""), "" },
        LanguageCase { "DuplicatesAndEmptyValues", Fixture("english-duplicates-and-empty-values.lang"), "First" }),
    [](const ::testing::TestParamInfo<LanguageCase>& info) { return std::string(info.param.name); });

} // namespace
