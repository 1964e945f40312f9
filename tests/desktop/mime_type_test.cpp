// The shipped file-type definition as the desktop reads it: compiled with
// update-mime-database into a private data folder and asked through Qt's
// shared-mime-info reader, which is what file managers and dialogs use.

#include "support/temp_dir.h"

#include <QMimeDatabase>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The MIME type the desktop gives path, asked in a child process so that the
// database is read fresh: dataDir first, then the system's own definitions,
// against which the shipped one has to hold.
std::string MimeTypeOf(const std::string& path, const std::string& dataDir)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        ::setenv("XDG_DATA_DIRS", (dataDir + ":/usr/local/share:/usr/share").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (dataDir + "/home").c_str(), 1);
        const std::string name
            = QMimeDatabase().mimeTypeForFile(QString::fromStdString(path)).name().toStdString();
        const bool written = ::write(fds[1], name.data(), name.size()) == static_cast<ssize_t>(name.size());
        ::_exit(written ? 0 : 1);
    }
    ::close(fds[1]);
    std::string name;
    char buffer[256];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        name.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return name;
}

TEST(DataFileMimeType, IsFoundByNameAndBySignature)
{
    if (std::system("command -v update-mime-database >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "update-mime-database (shared-mime-info) is not installed";
    TempDir dir;
    const std::string data = dir.file("share");
    fs::create_directories(data + "/mime/packages");
    fs::copy_file(
        std::string(VELMAR_SOURCE_DIR) + "/packaging/velmar-mime.xml", data + "/mime/packages/velmar.xml");
    ASSERT_EQ(std::system(("update-mime-database " + data + "/mime >/dev/null 2>&1").c_str()), 0);

    const std::string sample = std::string(VELMAR_FIXTURE_DIR) + "/sample-uhf.dig";
    fs::copy_file(sample, dir.file("radio.dig"));
    fs::copy_file(sample, dir.file("backup-without-extension"));
    fs::copy_file(sample, dir.file("mailed.bin"));
    TempDir::WriteFile(dir.file("other-data"), std::string(4144, '\x01'));

    for (const char* file : { "radio.dig", "backup-without-extension", "mailed.bin" })
        EXPECT_EQ(MimeTypeOf(dir.file(file), data), "application/x-velmar-dig") << file;
    EXPECT_NE(MimeTypeOf(dir.file("other-data"), data), "application/x-velmar-dig");
}

} // namespace
