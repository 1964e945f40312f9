// The install as a user gets it: `cmake --install` of this build into a
// temporary prefix, then the installed launchers run with a fresh XDG config
// folder, on the offscreen platform, as a new user and again after an update.

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const kAppFiles[] = { "velmar", "velmar-cli", "setting.ini", "english.lang", "chinese.lang",
    "english.html", "chinese.html" };
const char* const kSeededFiles[]
    = { "setting.ini", "english.lang", "chinese.lang", "english.html", "chinese.html" };

std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct ShellRun
{
    int code = -1;
    std::string output;
};

// Runs a shell command line, bounded to a minute, with its output captured.
ShellRun Shell(const std::string& command)
{
    ShellRun run;
    FILE* pipe = ::popen(("timeout 60 " + command + " 2>&1").c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, n);
    const int status = ::pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// One install shared by every test: installing takes a while.
class InstallTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new TempDir;
        // Installing rewrites the build's install_manifest.txt, which a real
        // install's uninstall relies on: keep it, and keep parallel test
        // processes from interleaving around it.
        const std::string build = VELMAR_BUILD_DIR;
        const std::string manifest = build + "/install_manifest.txt";
        const int lock
            = ::open((build + "/install_manifest.lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
        if (lock >= 0)
            ::flock(lock, LOCK_EX);
        const bool hadManifest = fs::exists(manifest);
        const std::string kept = hadManifest ? TempDir::ReadFile(manifest) : std::string();
        s_install = Shell(std::string(VELMAR_CMAKE_COMMAND) + " --install " + Quote(build) + " --prefix "
            + Quote(Prefix()));
        std::error_code ec;
        if (hadManifest)
            TempDir::WriteFile(manifest, kept);
        else
            fs::remove(manifest, ec);
        if (lock >= 0)
            ::close(lock);
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }

    void SetUp() override
    {
        ASSERT_EQ(s_install.code, 0) << s_install.output;
        if (!fs::exists(Prefix() + "/lib/velmar/velmar"))
            GTEST_SKIP() << "built without the GUI";
    }

    static std::string Prefix() { return s_dir->file("prefix"); }

    // A launcher run as a user whose home and config folder live in m_user.
    ShellRun Launch(
        const std::string& program, const std::string& args, const std::string& extraEnv = "") const
    {
        return Shell("env -u VELMAR_HOME HOME=" + Quote(m_user.file("home"))
            + " XDG_CONFIG_HOME=" + Quote(m_user.file("config")) + " XDG_RUNTIME_DIR=" + Quote(m_user.path())
            + " QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL= LC_MESSAGES= " + extraEnv + " "
            + Quote(Prefix() + "/bin/" + program) + " " + args);
    }
    std::string Config(const std::string& name = "") const
    {
        return m_user.file("config/velmar") + (name.empty() ? "" : "/" + name);
    }

    TempDir m_user;

    static TempDir* s_dir;
    static ShellRun s_install;
};

TempDir* InstallTest::s_dir = nullptr;
ShellRun InstallTest::s_install;

TEST_F(InstallTest, PutsProgramsFilesLaunchersAndDesktopIntegrationInPlace)
{
    for (const char* name : kAppFiles)
        EXPECT_TRUE(fs::is_regular_file(Prefix() + "/lib/velmar/" + name)) << name;
    for (const char* name : { "velmar", "velmar-cli" }) {
        const fs::path launcher = Prefix() + "/bin/" + name;
        ASSERT_TRUE(fs::is_regular_file(launcher)) << name;
        EXPECT_NE(fs::status(launcher).permissions() & fs::perms::others_exec, fs::perms::none) << name;
    }
    const std::string desktop = TempDir::ReadFile(Prefix() + "/share/applications/velmar.desktop");
    EXPECT_NE(desktop.find("Exec=velmar %f"), std::string::npos);
    EXPECT_NE(desktop.find("HamRadio;"), std::string::npos);
    EXPECT_NE(desktop.find("MimeType=application/x-velmar-dig;"), std::string::npos);
    if (Shell("sh -c 'command -v desktop-file-validate'").code == 0) {
        const ShellRun check
            = Shell("desktop-file-validate " + Quote(Prefix() + "/share/applications/velmar.desktop"));
        EXPECT_EQ(check.code, 0) << check.output;
    }
    const std::string mime = TempDir::ReadFile(Prefix() + "/share/mime/packages/velmar.xml");
    EXPECT_NE(mime.find(R"(value="Tavro Radio Program data")"), std::string::npos);
    EXPECT_NE(mime.find(R"(<glob pattern="*.dig"/>)"), std::string::npos);
    const bool png = fs::exists(Prefix() + "/share/icons/hicolor/48x48/apps/velmar.png");
    const bool xpm = fs::exists(Prefix() + "/share/icons/hicolor/32x32/apps/velmar.xpm");
    EXPECT_TRUE(png || xpm);
    EXPECT_TRUE(fs::exists(Prefix() + "/share/doc/velmar/70-velmar-serial.rules"));
}

TEST_F(InstallTest, FirstStartSeedsTheUsersConfigFolderAndRunsOnIt)
{
    const ShellRun gui = Launch("velmar", "--quit-after-start");
    ASSERT_EQ(gui.code, 0) << gui.output;
    for (const char* name : kSeededFiles) {
        ASSERT_TRUE(fs::is_regular_file(Config(name))) << name;
        EXPECT_EQ(TempDir::ReadFile(Config(name)), TempDir::ReadFile(Prefix() + "/lib/velmar/" + name))
            << name;
    }
    // The copy is the user's to change: the programs write the port and language there.
    EXPECT_NE(fs::status(Config("setting.ini")).permissions() & fs::perms::owner_write, fs::perms::none);

    // velmar-cli reads the same folder: a port mapped there shows up.
    TempDir::WriteFile(Config("setting.ini"),
        TempDir::ReadFile(Config("setting.ini")) + "\nCOM3=/nonexistent/velmar-install-test\n");
    const ShellRun cli = Launch("velmar-cli", "ports");
    ASSERT_EQ(cli.code, 0) << cli.output;
    EXPECT_NE(cli.output.find("/nonexistent/velmar-install-test"), std::string::npos) << cli.output;
}

TEST_F(InstallTest, LaterStartsKeepTheUsersSettingsAndRefreshOnlyOlderCopies)
{
    ASSERT_EQ(Launch("velmar-cli", "ports").code, 0);
    const std::string settings = "[setup]\nlanguage=chinese\ncom=5\nchannel=16\n";
    TempDir::WriteFile(Config("setting.ini"), settings);
    // english.lang: a copy from an older install; chinese.lang: edited by the user since.
    TempDir::WriteFile(Config("english.lang"), "[Face]\ndisp=old\n");
    fs::last_write_time(Config("english.lang"),
        fs::last_write_time(Prefix() + "/lib/velmar/english.lang") - std::chrono::hours(24));
    TempDir::WriteFile(Config("chinese.lang"), "[Face]\ndisp=mine\n");
    fs::last_write_time(Config("chinese.lang"),
        fs::last_write_time(Prefix() + "/lib/velmar/chinese.lang") + std::chrono::hours(24));
    fs::remove(Config("english.html"));

    const ShellRun gui = Launch("velmar", "--quit-after-start");
    ASSERT_EQ(gui.code, 0) << gui.output;
    EXPECT_EQ(TempDir::ReadFile(Config("setting.ini")), settings);
    EXPECT_EQ(
        TempDir::ReadFile(Config("english.lang")), TempDir::ReadFile(Prefix() + "/lib/velmar/english.lang"));
    EXPECT_EQ(TempDir::ReadFile(Config("chinese.lang")), "[Face]\ndisp=mine\n");
    EXPECT_TRUE(fs::exists(Config("english.html")));
}

TEST_F(InstallTest, ConfigFolderFollowsXdgRulesAndAnExplicitHomeWins)
{
    // Without XDG_CONFIG_HOME (or with a relative one) the folder is ~/.config/velmar.
    ASSERT_EQ(Launch("velmar-cli", "ports", "XDG_CONFIG_HOME=relative/dir").code, 0);
    EXPECT_TRUE(fs::exists(m_user.file("home/.config/velmar/setting.ini")));
    EXPECT_FALSE(fs::exists(Config()));

    // A VELMAR_HOME set by the caller is used as it is, and nothing is copied.
    TempDir own;
    TempDir::WriteFile(own.file("setting.ini"), "[ports]\nCOM2=/nonexistent/velmar-own-home\n");
    const ShellRun run = Shell("env VELMAR_HOME=" + Quote(own.path()) + " XDG_CONFIG_HOME="
        + Quote(m_user.file("config")) + " " + Quote(Prefix() + "/bin/velmar-cli") + " ports");
    ASSERT_EQ(run.code, 0) << run.output;
    EXPECT_NE(run.output.find("/nonexistent/velmar-own-home"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(Config()));
    EXPECT_FALSE(fs::exists(own.file("english.lang")));
}

TEST_F(InstallTest, UnwritableConfigFolderIsReportedNotIgnored)
{
    TempDir::WriteFile(m_user.file("config"), "a file where the folder should be");
    const ShellRun run = Launch("velmar-cli", "ports");
    EXPECT_NE(run.code, 0);
    EXPECT_NE(run.output.find("settings folder"), std::string::npos) << run.output;
}

} // namespace
