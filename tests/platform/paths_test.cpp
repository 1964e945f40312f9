#include "platform/com_ports.h"
#include "platform/locale.h"
#include "platform/paths.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

// Sets environment variables for one test and puts the old values back.
class EnvironmentGuard {
public:
    ~EnvironmentGuard()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->second)
                ::setenv(it->first.c_str(), it->second->c_str(), 1);
            else
                ::unsetenv(it->first.c_str());
        }
    }

    void Set(const std::string& name, const char* value)
    {
        const char* old = std::getenv(name.c_str());
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value)
            ::setenv(name.c_str(), value, 1);
        else
            ::unsetenv(name.c_str());
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST(Paths, ExecutableDirectoryIsTheFolderOfTheRunningProgram)
{
    EnvironmentGuard env;
    env.Set("VELMAR_HOME", nullptr);
    const std::string expected = std::filesystem::canonical("/proc/self/exe").parent_path().string();
    EXPECT_EQ(ExecutableDirectory(), expected);
    env.Set("VELMAR_HOME", "");
    EXPECT_EQ(ExecutableDirectory(), expected);
}

TEST(Paths, VelmarHomeOverridesTheExecutableDirectory)
{
    EnvironmentGuard env;
    env.Set("VELMAR_HOME", "/opt/velmar-data");
    EXPECT_EQ(ExecutableDirectory(), "/opt/velmar-data");
}

TEST(Paths, JoinPathAddsOneSlash)
{
    const struct {
        const char* a;
        const char* b;
        const char* expected;
    } cases[] = {
        { "/opt/velmar", "setting.ini", "/opt/velmar/setting.ini" },
        { "/opt/velmar/", "setting.ini", "/opt/velmar/setting.ini" },
        { "/", "setting.ini", "/setting.ini" },
        { "", "setting.ini", "setting.ini" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinPath(c.a, c.b), c.expected) << c.a;
}

TEST(Paths, FileExistsOnlyForFiles)
{
    TempDir dir;
    TempDir::WriteFile(dir.file("setting.ini"), "");
    EXPECT_TRUE(FileExists(dir.file("setting.ini")));
    EXPECT_FALSE(FileExists(dir.file("missing.ini")));
    EXPECT_FALSE(FileExists(dir.path()));
}

struct LocaleCase {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    unsigned expected;
};

void PrintTo(const LocaleCase& c, std::ostream* os)
{
    *os << "LC_ALL=" << (c.lcAll ? c.lcAll : "(unset)") << " LC_MESSAGES=" << (c.lcMessages ? c.lcMessages : "(unset)")
        << " LANG=" << (c.lang ? c.lang : "(unset)");
}

class Locale : public testing::TestWithParam<LocaleCase> {};

TEST_P(Locale, FirstSetVariableDecides)
{
    const LocaleCase& c = GetParam();
    EnvironmentGuard env;
    env.Set("LC_ALL", c.lcAll);
    env.Set("LC_MESSAGES", c.lcMessages);
    env.Set("LANG", c.lang);
    EXPECT_EQ(SystemDefaultLcid(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Locale,
    testing::Values(LocaleCase { nullptr, nullptr, nullptr, 1033 },
        LocaleCase { nullptr, nullptr, "zh_CN.UTF-8", 2052 },
        LocaleCase { nullptr, nullptr, "zh_CN", 2052 },
        LocaleCase { nullptr, nullptr, "en_US.UTF-8", 1033 },
        LocaleCase { nullptr, nullptr, "C", 1033 },
        LocaleCase { "en_US.UTF-8", "zh_CN.UTF-8", "zh_CN.UTF-8", 1033 },
        LocaleCase { "zh_CN.GB2312", "en_US.UTF-8", "en_US.UTF-8", 2052 },
        LocaleCase { nullptr, "zh_CN.UTF-8", "en_US.UTF-8", 2052 },
        LocaleCase { "", "", "zh_CN.UTF-8", 2052 },
        LocaleCase { "", "en_GB.UTF-8", "zh_CN.UTF-8", 1033 },
        LocaleCase { nullptr, nullptr, "zh_TW.UTF-8", 1033 },
        LocaleCase { nullptr, nullptr, "zh", 1033 }));

TEST(ComPorts, MappedNumbersUseTheirDeviceOthersTheUsbDefault)
{
    TempDir dir;
    const std::string settings = dir.file("setting.ini");
    TempDir::WriteFile(settings,
        "[setup]\ncom=1\n[ports]\n;COM4=/dev/ttyS9\nCOM1=/dev/ttyACM0\nCOM2=\n"
        "com3 = /dev/serial/by-id/usb-Cable-if00-port0\n");
    const struct {
        int n;
        const char* expected;
    } cases[] = {
        { 1, "/dev/ttyACM0" },
        { 2, "/dev/ttyUSB1" },
        { 3, "/dev/serial/by-id/usb-Cable-if00-port0" },
        { 4, "/dev/ttyUSB3" },
        { 12, "/dev/ttyUSB11" },
        { 255, "/dev/ttyUSB254" },
        { 0, "" },
        { -1, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComPortDevice(c.n, settings), c.expected) << "COM" << c.n;
    EXPECT_EQ(ComPortDevice(1, dir.file("missing.ini")), "/dev/ttyUSB0");
}

} // namespace
