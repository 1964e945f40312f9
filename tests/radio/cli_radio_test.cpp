// velmar-cli read, write and ports, run as a program against the virtual radio.

#include "radio/radio_fixture.h"

#include "radio/serial_link.h"
#include "support/cli_runner.h"

#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

extern char** environ;

namespace {

using CliResult = CliRun;

std::string DataFile(unsigned char fill, unsigned char marker)
{
    std::string bytes = "Tavro Radio Program data v1.03";
    bytes.resize(48, '\0');
    bytes.append(4096, static_cast<char>(fill));
    bytes[48 + 0x500] = static_cast<char>(marker);
    return bytes;
}

class CliRadioTest : public RadioFixture
{
protected:
    CliResult Cli(const std::vector<std::string>& args, const std::string& prefix = {})
    {
        return RunVelmarCli(ini, args, dir.path(), prefix);
    }

    std::string output = dir.file("read.dig");
};

TEST_F(CliRadioTest, ReadSavesTheClonedRangeOverANewDocument)
{
    StartRadio({});
    WriteSettings();
    const CliResult r = Cli({ "read", "-o", output });
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "") << "no progress when standard error is not a terminal";
    const std::string file = TempDir::ReadFile(output);
    ASSERT_EQ(file.size(), 4144u);
    const auto& memory = DefaultRadioMemory();
    EXPECT_TRUE(std::equal(file.begin() + 48, file.begin() + 48 + 0x3F0, memory.begin(),
        [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; }));
    EXPECT_TRUE(std::all_of(file.begin() + 48 + 0x3F0, file.end(), [](char c) { return c == '\xFF'; }));
}

TEST_F(CliRadioTest, ReadFromACopyWithItsPassword)
{
    StartRadio({ "--password", "Ab1" });
    WriteSettings();
    const std::string base = dir.file("base.dig");
    TempDir::WriteFile(base, DataFile(0x00, 0x5A));
    const CliResult wrong = Cli({ "read", "-o", output, "--from", base });
    EXPECT_EQ(wrong.code, 5) << wrong.err;
    EXPECT_NE(::access(output.c_str(), F_OK), 0) << "nothing is saved after a failed read";

    const CliResult right = Cli({ "read", "-o", output, "--from", base, "--password", "Ab1" });
    ASSERT_EQ(right.code, 0) << right.err;
    const std::string file = TempDir::ReadFile(output);
    ASSERT_EQ(file.size(), 4144u);
    EXPECT_EQ(file[48 + 0x500], '\x5A') << "bytes outside the cloned range come from --from";
    EXPECT_EQ(file[48 + 0x3B0], '\x0A');
    EXPECT_EQ(TempDir::ReadFile(base), DataFile(0x00, 0x5A)) << "the starting file is not touched";
}

TEST_F(CliRadioTest, WriteEndsWithTheEndCommand)
{
    StartRadio({});
    WriteSettings();
    const std::string file = dir.file("mine.dig");
    TempDir::WriteFile(file, DataFile(0x33, 0x44));
    const CliResult r = Cli({ "write", file });
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(WaitForPcFrames(0x62, 1), 1);
    const auto frames = Frames();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().from, "PC");
    EXPECT_EQ(frames.back().bytes, std::vector<unsigned char> { 0x62 });
    const std::vector<unsigned char> memory = StopAndReadMemory();
    ASSERT_EQ(memory.size(), 4096u);
    EXPECT_TRUE(
        std::all_of(memory.begin(), memory.begin() + 0x3F0, [](unsigned char b) { return b == 0x33; }));
    EXPECT_NE(memory[0x500], 0x44) << "only the cloned range travels";
}

// Every final outcome has its own exit code and a one-line message; a failed
// read leaves an existing output file as it was.
struct CliFailure
{
    const char* name;
    std::vector<std::string> radioArgs;
    bool read;
    int code;
    const char* message;
};

void PrintTo(const CliFailure& c, std::ostream* out)
{
    *out << c.name;
}

class CliFailureTest : public CliRadioTest, public ::testing::WithParamInterface<CliFailure>
{
};

TEST_P(CliFailureTest, ExitsWithItsCode)
{
    const CliFailure& c = GetParam();
    StartRadio(c.radioArgs);
    WriteSettings();
    TempDir::WriteFile(output, DataFile(0x11, 0x22));
    const CliResult r = c.read ? Cli({ "read", "-o", output }) : Cli({ "write", output });
    EXPECT_EQ(r.code, c.code);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(TempDir::ReadFile(output), DataFile(0x11, 0x22));
}

INSTANTIATE_TEST_SUITE_P(Outcomes, CliFailureTest,
    ::testing::Values(CliFailure { "NoAnswer", { "--silent" }, true, 3, "no radio answered on COM1" },
        CliFailure { "TypeError", { "--ident-length", "3" }, true, 4, "identification" },
        CliFailure { "PasswordError", { "--password", "X" }, true, 5, "read password" },
        CliFailure { "ReadFailed", { "--short-block", "0x200" }, true, 6, "reading failed" },
        CliFailure { "CablePulledMidRead", { "--hangup-after", "300" }, true, 6, "cable pulled" },
        CliFailure { "WriteFailed", { "--refuse-write", "0x200" }, false, 7, "writing failed" },
        CliFailure { "CablePulledMidWrite", { "--hangup-after", "300" }, false, 7, "cable pulled" }),
    [](const ::testing::TestParamInfo<CliFailure>& info) { return std::string(info.param.name); });

TEST_F(CliRadioTest, PortsThatCannotBeOpenedSayWhy)
{
    StartRadio({});
    RadioSimProcess other({});
    WriteSettings({}, { { 1, radio->path() }, { 3, other.path() } });
    SerialLink holder;
    holder.SetSettingsPath(ini);
    ASSERT_EQ(holder.Open(3, 9600), 1);

    const CliResult ports = Cli({ "ports" });
    ASSERT_EQ(ports.code, 0) << ports.err;
    EXPECT_NE(ports.out.find("COM1*\t" + radio->path() + "\tcan be opened"), std::string::npos) << ports.out;
    EXPECT_NE(ports.out.find("COM2 \t" + dir.file("absent2") + "\tdoes not exist"), std::string::npos);
    EXPECT_NE(ports.out.find("COM3 \t" + other.path() + "\tis in use by another program"), std::string::npos);

    WriteSettings({ { "com", "3" } }, { { 3, other.path() } });
    const CliResult busy = Cli({ "read", "-o", output });
    EXPECT_EQ(busy.code, 3);
    EXPECT_NE(busy.err.find("COM3 (" + other.path() + ") is in use by another program"), std::string::npos)
        << busy.err;
}

TEST_F(CliRadioTest, InterruptCancelsTheTransfer)
{
    StartRadio({ "--silent" });
    WriteSettings();
    TempDir::WriteFile(output, DataFile(0x11, 0x22));
    const std::string program = VELMAR_BIN_DIR "/velmar-cli";
    const std::string errFile = dir.file("err.txt");
    std::vector<std::string> args { program, "--settings", ini, "read", "-o", output };
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(
        &actions, STDERR_FILENO, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    // The first handshake shows that the transfer (and its Ctrl+C handler) runs.
    EXPECT_EQ(WaitForPcFrames(0x02, 1), 1);
    ::kill(pid, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 8);
    EXPECT_NE(TempDir::ReadFile(errFile).find("cancelled"), std::string::npos);
    EXPECT_LT(CountPcFrames(0x02), 10) << "the handshake tries stop at once";
    EXPECT_EQ(TempDir::ReadFile(output), DataFile(0x11, 0x22));
}

// Without the rights to the device the message names the group to join. Runs
// the program as an unprivileged user, so it needs root and setpriv.
TEST_F(CliRadioTest, PermissionDeniedNamesTheGroup)
{
    if (::geteuid() != 0 || ::access("/usr/bin/setpriv", X_OK) != 0)
        GTEST_SKIP() << "needs root and setpriv to run as another user";
    StartRadio({});
    WriteSettings();
    ::chmod(dir.path().c_str(), 0755);
    ::chmod(ini.c_str(), 0644);
    // The device's group may read and write it, as a serial port's group does.
    ::chmod(radio->path().c_str(), 0660);
    struct stat info
    {
    };
    ASSERT_EQ(::stat(radio->path().c_str(), &info), 0);
    const group* owner = ::getgrgid(info.st_gid);
    ASSERT_NE(owner, nullptr);
    const CliResult r = Cli(
        { "read", "-o", dir.file("x.dig") }, "/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups ");
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.err.find("no permission to open COM1"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(std::string("usermod -aG ") + owner->gr_name + " $USER"), std::string::npos)
        << r.err;
}

} // namespace
