#include "platform/com_ports.h"
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>

namespace {

const std::string kResources = VELMAR_RESOURCE_DIR;

// Every [String] key the program looks up.
const char* const kStringKeys[] = {
    "IDS_WINDOWNAME",
    "IDS_TIP_57600", "IDS_TIP_57601", "IDS_TIP_57603", "IDS_TIP_32771", "IDS_TIP_32772", "IDS_TIP_57607",
    "IDS_TIP_32775",
    "IDS_PROMPT", "IDS_WARN_CLEAR", "IDS_WARN_LOAD", "IDS_WARN_SAVE", "IDS_CONFIRM", "IDS_CONFIRM_FREQ",
    "IDS_OFF", "IDS_YES", "IDS_NO", "IDS_WIDE", "IDS_NARROW", "IDS_LOW", "IDS_HIGH",
    "IDS_ERROR", "IDS_ERROR_PORTCONN", "IDS_ERROR_TYPE", "IDS_ERROR_PASSWORD",
    "IDS_READDATA", "IDS_WRITEDATA",
    "IDS_PROMPT_READ", "IDS_PROMPT_WRITE", "IDS_PROMPT_READFAIL", "IDS_PROMPT_WRITEFAIL", "IDS_SEARCHCOMPORT",
    "IDS_PROMPT_WRITESUCC",
    "Menu_File", "Menu_Program", "Menu_Setting", "Menu_Help",
    "Menu_File_New", "Menu_File_Open", "Menu_File_Save", "Menu_File_Save_As", "Menu_File_Print",
    "Menu_File_Print_Preview", "Menu_File_Print_Setup", "Menu_App_Exit",
    "Menu_Program_ReadData", "Menu_Program_WriteData", "Menu_Program_TestMode",
    "Menu_Setting_Port", "Menu_Setting_Language",
    "Menu_Help_Help", "Menu_App_About",
};

class ShippedLanguage : public testing::TestWithParam<const char*> {
protected:
    std::string File() const { return kResources + "/" + GetParam() + ".lang"; }
};

TEST_P(ShippedLanguage, HasEveryStringKey)
{
    for (const char* key : kStringKeys)
        EXPECT_NE(GetPrivateProfileString("String", key, "", 1000, File()), "") << key;
}

TEST_P(ShippedLanguage, ToolTipsFitTheirBuffer)
{
    for (const char* key : kStringKeys) {
        if (std::string(key).rfind("IDS_TIP_", 0) == 0) {
            EXPECT_LE(GetPrivateProfileString("String", key, "", 1000, File()).size(), 19u) << key;
        }
    }
}

TEST_P(ShippedLanguage, OffTextIsNotReadAsATone)
{
    const std::string off = GetPrivateProfileString("String", "IDS_OFF", "", 1000, File());
    ASSERT_FALSE(off.empty());
    EXPECT_FALSE((off[0] >= '0' && off[0] <= '9') || off[0] == 'D' || off[0] == 'd') << off;
}

TEST_P(ShippedLanguage, HasDisplayNameColumnTitlesAndFullLists)
{
    EXPECT_NE(GetPrivateProfileString("Face", "disp", "", 100, File()), "");
    for (int c = 0; c < 12; ++c) {
        const std::string key = "IDS_ChText" + std::to_string(c);
        const std::string title = GetPrivateProfileString("ChText", key, "", 1000, File());
        EXPECT_FALSE(title.empty()) << key;
        EXPECT_LE(title.size(), 29u) << key;
    }
    const struct {
        const char* section;
        int entries;
    } lists[] = { { "VoiceAnnunciation", 3 }, { "PttId", 4 }, { "MonitorKey", 16 }, { "ScanMode", 2 } };
    for (const auto& list : lists) {
        for (int i = 0; i < list.entries; ++i) {
            const std::string text = GetPrivateProfileString(list.section, std::to_string(i), "", 1000, File());
            EXPECT_FALSE(text.empty()) << list.section << " " << i;
            EXPECT_LE(text.size(), 29u) << list.section << " " << i;
        }
    }
}

// Section name -> key names, as written in the file (comments skipped).
std::map<std::string, std::set<std::string>> KeysBySection(const std::string& file)
{
    std::map<std::string, std::set<std::string>> keys;
    std::ifstream in(file);
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            keys[section];
        } else if (const auto eq = line.find('='); eq != std::string::npos) {
            keys[section].insert(line.substr(0, eq));
        }
    }
    return keys;
}

// A text added to one language only would show "Not Found" in the other.
TEST(ShippedLanguages, BothFilesHaveTheSameSectionsAndKeys)
{
    const auto english = KeysBySection(kResources + "/english.lang");
    const auto chinese = KeysBySection(kResources + "/chinese.lang");
    ASSERT_TRUE(english.count("String"));
    EXPECT_GE(english.at("String").size(), std::size(kStringKeys));
    for (const auto& [section, keys] : english) {
        const auto other = chinese.find(section);
        ASSERT_NE(other, chinese.end()) << "[" << section << "] missing in chinese.lang";
        for (const auto& key : keys)
            EXPECT_TRUE(other->second.count(key)) << "[" << section << "] " << key << " missing in chinese.lang";
    }
    for (const auto& [section, keys] : chinese) {
        const auto other = english.find(section);
        ASSERT_NE(other, english.end()) << "[" << section << "] missing in english.lang";
        for (const auto& key : keys)
            EXPECT_TRUE(other->second.count(key)) << "[" << section << "] " << key << " missing in english.lang";
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguage, testing::Values("english", "chinese"));

TEST(ShippedSettings, SetupKeysHaveUsableValues)
{
    const std::string file = kResources + "/setting.ini";
    EXPECT_EQ(GetPrivateProfileString("setup", "language", "", 260, file), "") << "the locale decides";
    EXPECT_EQ(GetPrivateProfileInt("setup", "com", 0, file), 1);
    EXPECT_EQ(GetPrivateProfileString("setup", "searchcom", "", 8, file), "1");
    const std::string handshake = GetPrivateProfileString("setup", "communication", "", 15, file);
    EXPECT_GE(handshake.size(), 7u);
    EXPECT_EQ(GetPrivateProfileString("setup", "password", "", 8, file), "1");
    EXPECT_NE(GetPrivateProfileString("setup", "testpw", "", 20, file), "");
    EXPECT_EQ(GetPrivateProfileString("setup", "channel", "", 20, file), "16");
    EXPECT_EQ(ComPortDevice(1, file), "/dev/ttyUSB0") << "the [ports] examples are comments";
}

// Each catalogue entry's identifier encodes the band its display text names:
// lower edge = digits 3, 4, 1, upper edge = digits 7, 8, 5.
TEST(ShippedSettings, CatalogueIdentifiersMatchTheirBandTexts)
{
    const std::string file = kResources + "/setting.ini";
    EXPECT_EQ(GetPrivateProfileString("ModelInfo", "data0", "", 32, file), "00400052");
    EXPECT_EQ(GetPrivateProfileString("ModelInfo", "data1", "", 32, file), "60134017");
    int entries = 0;
    for (int n = 0; n < 16; ++n) {
        const std::string id = GetPrivateProfileString("ModelInfo", "data" + std::to_string(n), "", 32, file);
        if (id.empty())
            break;
        ++entries;
        ASSERT_GE(id.size(), 8u) << n;
        const std::string lower { id[2], id[3], id[0] };
        const std::string upper { id[6], id[7], id[4] };
        const std::string expected = std::to_string(std::atoi(lower.c_str())) + "-"
            + std::to_string(std::atoi(upper.c_str())) + "MHz";
        EXPECT_EQ(GetPrivateProfileString("ModelInfo", "Freq" + std::to_string(n), "", 30, file), expected) << n;
    }
    EXPECT_GE(entries, 2);
}

} // namespace
