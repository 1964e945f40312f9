// Start-up: the settings file check, the choice of the language file, the
// port pane and a data file named on the command line.

#include "app/shell_fixture.h"
#include "app/velmar_main.h"
#include "model/velmar_doc.h"
#include "shell/settings_file.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/velmar_app.h"

#include <QApplication>
#include <QMenuBar>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {
// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value)
        : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

bool AnyMainFrame()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<CMainFrame*>(w))
            return true;
    }
    return false;
}
}

TEST(Startup, WithoutSettingsFileStopsWithMessageAndNoWindow)
{
    ShellFixture f;
    f.WriteFile("english.lang", TestLanguage("English", "EnglishFile"));

    EXPECT_NE(RunVelmar({}), 0);
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, "Can not find the file setting.ini!");
    EXPECT_EQ(f.boxes[0].type, MB_OK | MB_ICONERROR);
    EXPECT_FALSE(AnyMainFrame());
}

struct LanguageCase {
    const char* name;
    const char* setupLines;
    const char* locale;     // LC_ALL during start-up
    const char* languageFile;
    const char* fileMenu;   // what the first menu then shows
};

void PrintTo(const LanguageCase& c, std::ostream* out)
{
    *out << c.name;
}

class StartupLanguage : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(StartupLanguage, ChoosesLanguageFileAndTranslatesMenu)
{
    const LanguageCase& c = GetParam();
    ScopedEnv locale("LC_ALL", c.locale);
    ShellFixture f;
    f.WriteSettings(c.setupLines);
    f.WriteFile("english.lang", TestLanguage("English", "EnglishFile"));
    f.WriteFile("chinese.lang", TestLanguage("Chinese", "ChineseFile"));

    ASSERT_TRUE(f.Start());
    EXPECT_EQ(LanguageFile(), f.Path(c.languageFile));
    EXPECT_EQ(f.Frame()->menuBar()->actions().at(0)->text().toStdString(), c.fileMenu);
    EXPECT_TRUE(f.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupLanguage,
    ::testing::Values(
        LanguageCase{"KeyWinsOverLocale", "language=english", "zh_CN.UTF-8", "english.lang", "EnglishFile"},
        LanguageCase{"ChineseLocale", "com=1", "zh_CN.UTF-8", "chinese.lang", "ChineseFile"},
        LanguageCase{"OtherLocale", "com=1", "de_DE.UTF-8", "english.lang", "EnglishFile"},
        LanguageCase{"EmptyKeyUsesLocale", "language=", "zh_CN.GB2312", "chinese.lang", "ChineseFile"},
        LanguageCase{"MissingFileShowsNotFound", "language=klingon", "en_US.UTF-8", "klingon.lang", "Not Found"}),
    [](const auto& info) { return std::string(info.param.name); });

struct PortCase {
    const char* name;
    const char* setupLines;
    const char* pane;
};

void PrintTo(const PortCase& c, std::ostream* out)
{
    *out << c.name;
}

class StartupPort : public ::testing::TestWithParam<PortCase> {};

TEST_P(StartupPort, StatusBarShowsConfiguredPort)
{
    ShellFixture f;
    f.WriteSettings(std::string("language=english\n") + GetParam().setupLines);
    f.WriteFile("english.lang", TestLanguage("English", "EnglishFile"));
    ASSERT_TRUE(f.Start());
    EXPECT_EQ(f.Frame()->PortText().toStdString(), GetParam().pane);
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupPort,
    ::testing::Values(PortCase{"Configured", "com=3", "COM3"}, PortCase{"Absent", "", "COM1"},
        PortCase{"TwoDigits", "com=12", "COM12"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Startup, WindowIs900By700WithTranslatedTitle)
{
    ShellFixture f;
    f.WriteSettings("language=english");
    f.WriteFile("english.lang", TestLanguage("English", "EnglishFile"));
    ASSERT_TRUE(f.Start());
    EXPECT_TRUE(f.Frame()->isVisible());
    EXPECT_EQ(f.Frame()->size(), QSize(900, 700));
    EXPECT_EQ(f.Frame()->windowTitle().toStdString(), "English Window");
    EXPECT_TRUE(f.Frame()->acceptDrops());
    EXPECT_EQ(f.Doc()->GetTitle(), "Item");
    EXPECT_FALSE(f.Doc()->IsModified());
}

TEST(Startup, DataFileOnCommandLineLoadsWithoutClearQuestion)
{
    ShellFixture f;
    f.WriteSettings("language=english");
    f.WriteFile("english.lang", TestLanguage("English", "EnglishFile"));
    f.WriteFile("radio.dig", DataFileBytes(0x42));

    ASSERT_TRUE(f.Start({QString::fromStdString(f.Path("radio.dig"))}));
    EXPECT_TRUE(f.boxes.empty());
    EXPECT_EQ(f.Doc()->GetPathName(), f.Path("radio.dig"));
    EXPECT_EQ(f.Doc()->Image().bytes[16], 0x42);
    EXPECT_FALSE(f.Doc()->IsModified());
    EXPECT_FALSE(f.App()->suppressClearPrompt);
    EXPECT_EQ(f.Frame()->windowTitle().toStdString(), "English Window");
}

TEST(Startup, UnreadableFileOnCommandLineEndsStartUpWithMessage)
{
    ShellFixture f;
    f.WriteSettings("language=english");
    f.WriteFile("english.lang", TestLanguage("English", "EnglishFile"));

    EXPECT_FALSE(f.Start({QString::fromStdString(f.Path("missing.dig"))}));
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text.rfind("English cannot open " + f.Path("missing.dig"), 0), 0u);
    EXPECT_EQ(f.boxes[0].type, MB_OK | MB_ICONERROR);
}
