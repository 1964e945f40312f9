#include "platform/atomic_file.h"
#include "platform/profile.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtomicFile, ReplacesContentAndLeavesNoTemporaryFile)
{
    TempDir dir;
    const std::string file = dir.file("setting.ini");
    TempDir::WriteFile(file, "[setup]\ncom=1\n");
    ASSERT_TRUE(WritePrivateProfileString("setup", "com", "2", file));
    ASSERT_TRUE(WriteFileAtomically(dir.file("other.bin"), std::string("a\0b", 3)));
    EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string> { "other.bin", "setting.ini" }));
    EXPECT_EQ(TempDir::ReadFile(dir.file("other.bin")), std::string("a\0b", 3));
}

TEST(AtomicFile, KeepsPermissionBits)
{
    TempDir dir;
    const std::string file = dir.file("setting.ini");
    TempDir::WriteFile(file, "[setup]\ncom=1\n");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(WritePrivateProfileString("setup", "com", "2", file));
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(AtomicFile, WritesThroughSymbolicLinkAndKeepsTheLink)
{
    TempDir dir;
    const std::string target = dir.file("real.ini");
    const std::string link = dir.file("setting.ini");
    TempDir::WriteFile(target, "[setup]\ncom=1\n");
    fs::create_symlink(target, link);
    ASSERT_TRUE(WritePrivateProfileString("setup", "com", "2", link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(TempDir::ReadFile(target), "[setup]\ncom=2\n");
}

// Runs check in a child process without root's right to ignore permissions
// (when this is root); returns the child's exit code, or 77 when the
// privileges could not be dropped.
int RunAsUnprivileged(const std::function<bool()>& check)
{
    if (::geteuid() != 0)
        return check() ? 0 : 1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(77);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

TEST(AtomicFile, ReadOnlyFolderFailsWithMessageAndKeepsOldFile)
{
    TempDir dir;
    const std::string file = dir.file("setting.ini");
    TempDir::WriteFile(file, "[setup]\ncom=1\n");
    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    const int result = RunAsUnprivileged([&] {
        std::string error;
        return !WritePrivateProfileString("setup", "com", "2", file, &error)
            && error.find(file) != std::string::npos;
    });
    if (result == 77)
        GTEST_SKIP() << "cannot drop root privileges here";
    EXPECT_EQ(result, 0) << "the write must fail with a message naming the file";
    EXPECT_EQ(TempDir::ReadFile(file), "[setup]\ncom=1\n");
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string> { "setting.ini" });
}

// A write that fails half-way (here: the file-size limit, which binds root
// too) must leave the old file and no temporary file behind.
TEST(AtomicFile, FailedWriteKeepsOldFileAndRemovesTemporary)
{
    TempDir dir;
    const std::string file = dir.file("setting.ini");
    TempDir::WriteFile(file, "[setup]\ncom=1\n");

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool written = WritePrivateProfileString("setup", "com", std::string(8192, '7'), file, &error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_NE(error.find(file), std::string::npos) << error;
    EXPECT_EQ(TempDir::ReadFile(file), "[setup]\ncom=1\n");
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string> { "setting.ini" });
}

TEST(AtomicFile, UnusablePathsFailWithMessage)
{
    TempDir dir;
    TempDir::WriteFile(dir.file("plain"), "x");
    fs::create_directory(dir.file("folder"));
    for (const std::string& path : { dir.file("plain/setting.ini"), dir.file("missing/setting.ini"), dir.file("folder") }) {
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(path, "data", &error)) << path;
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
    EXPECT_EQ(TempDir::ReadFile(dir.file("plain")), "x");
    EXPECT_TRUE(fs::is_directory(dir.file("folder")));
}

TEST(AtomicFile, ReadWholeFileReportsMissingFile)
{
    TempDir dir;
    std::string bytes = "unchanged";
    std::string error;
    EXPECT_FALSE(ReadWholeFile(dir.file("none"), bytes, &error));
    EXPECT_NE(error.find(dir.file("none")), std::string::npos) << error;
    EXPECT_EQ(bytes, "unchanged");
}

} // namespace
