#include "shell/lang_string.h"
#include "shell/settings_file.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// A language file in a private folder, made the active one for the test.
class LangFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_saved = LanguageFile();
        SetLanguageFile(m_dir.file("test.lang"));
    }
    void TearDown() override { SetLanguageFile(m_saved); }

    void Write(const std::string& content) { TempDir::WriteFile(m_dir.file("test.lang"), content); }

    TempDir m_dir;
    std::string m_saved;
};

TEST_F(LangFileTest, StringEscapesBecomeLineFeedAndTab)
{
    Write("[String]\nIDS_A=first line\\nsecond\\tlast\nMenu_File_New=&New\\tCtrl+N\nIDS_B=C:\\\\path\\\\x\n");
    EXPECT_EQ(LoadLangString("IDS_A"), "first line\nsecond\tlast");
    EXPECT_EQ(LoadLangString("menu_file_new"), "&New\tCtrl+N");
    // Only backslash-n and backslash-t are escapes; other backslashes stay.
    EXPECT_EQ(LoadLangString("IDS_B"), "C:\\\\path\\\\x");
}

TEST_F(LangFileTest, MissingKeySectionOrFileReadsNotFound)
{
    Write("[Resource]\nIDS_A=wrong section\n[String]\nIDS_B=b\n");
    EXPECT_EQ(LoadLangString("IDS_A"), "Not Found");
    SetLanguageFile(m_dir.file("missing.lang"));
    EXPECT_EQ(LoadLangString("IDS_B"), "Not Found");
}

TEST_F(LangFileTest, StringIsCutTo999Bytes)
{
    Write("[String]\nIDS_LONG=" + std::string(1500, 'x') + "\n");
    EXPECT_EQ(LoadLangString("IDS_LONG").size(), 999u);
}

TEST_F(LangFileTest, ListEndsAtFirstMissingOrEmptyKey)
{
    Write("[VoiceAnnunciation]\n0=Off\n1=English\n3=Chinese\n"
          "[PttId]\n0=Off\n1=\n2=EOT\n"
          "[scanmode]\n1=Carrier\n"
          "[MonitorKey]\n0=" + std::string(40, 'm') + "\n1=Scan\n");
    EXPECT_EQ(LoadLangList("VoiceAnnunciation"), (std::vector<std::string> { "Off", "English" }));
    EXPECT_EQ(LoadLangList("PttId"), std::vector<std::string> { "Off" });
    EXPECT_TRUE(LoadLangList("ScanMode").empty());
    EXPECT_EQ(LoadLangList("MonitorKey"), (std::vector<std::string> { std::string(29, 'm'), "Scan" }));
    EXPECT_TRUE(LoadLangList("Absent").empty());
}

TEST_F(LangFileTest, ChannelColumnTitlesComeFromChText)
{
    Write("[ChText]\nIDS_ChText0=CH\nIDS_ChText11=" + std::string(35, 'v') + "\nIDS_ChText2=RX\\nTone\n");
    EXPECT_EQ(LoadChText(0), "CH");
    EXPECT_EQ(LoadChText(11), std::string(29, 'v'));
    EXPECT_EQ(LoadChText(2), "RX\\nTone") << "column titles are not unescaped";
    EXPECT_EQ(LoadChText(5), "");
}

TEST_F(LangFileTest, ResourceTextsByIdWithMinusOneAs65535)
{
    Write("[Resource]\n130=Port\n1001=&Search\\tnow\n65535=Label\n-1=wrong\n");
    EXPECT_EQ(LoadResourceText(130), "Port");
    EXPECT_EQ(LoadResourceText(1001), "&Search\\tnow") << "no escapes in resource texts";
    EXPECT_EQ(LoadResourceText(-1), "Label");
    EXPECT_EQ(LoadResourceText(131), "");
}

TEST_F(LangFileTest, ResourceTextIsCutTo1023Bytes)
{
    Write("[Resource]\n101=" + std::string(2000, 'r') + "\n");
    EXPECT_EQ(LoadResourceText(101).size(), 1023u);
}

TEST_F(LangFileTest, EditedFileTakesEffectAtNextLookup)
{
    Write("[String]\nIDS_OFF=Off\n");
    EXPECT_EQ(LoadLangString("IDS_OFF"), "Off");
    Write("[String]\nIDS_OFF=关\n");
    EXPECT_EQ(LoadLangString("IDS_OFF"), "关");
}

TEST(SettingsFilePaths, ReferenceHeldByAReaderStaysValidAcrossChanges)
{
    const std::string saved = SettingsFile();
    SetSettingsFile("/first/setting.ini");
    const std::string& held = SettingsFile();
    SetSettingsFile("/second/setting.ini");
    EXPECT_EQ(held, "/first/setting.ini");
    EXPECT_EQ(SettingsFile(), "/second/setting.ini");
    SetSettingsFile(saved);
}

TEST(SettingsFilePaths, WorkerThreadReadsWhileTheLanguageChanges)
{
    const std::string saved = LanguageFile();
    SetLanguageFile("/velmar/english.lang");
    std::atomic<bool> stop { false };
    std::atomic<int> bad { 0 };
    std::thread reader([&] {
        while (!stop.load()) {
            const std::string copy = LanguageFile();
            if (copy != "/velmar/english.lang" && copy != "/velmar/chinese.lang")
                ++bad;
        }
    });
    for (int i = 0; i < 200; ++i)
        SetLanguageFile(i % 2 ? "/velmar/english.lang" : "/velmar/chinese.lang");
    stop = true;
    reader.join();
    EXPECT_EQ(bad.load(), 0);
    SetLanguageFile(saved);
}

} // namespace
