// Saving never leaves a truncated file: a data file saved by the document or
// by velmar-cli, on a full disk (the file-size limit stands in for it; it
// binds root too) or into a read-only folder (as an unprivileged user, since
// root ignores permissions). The failure is reported, the old file keeps its
// bytes, and no temporary file is left behind.

#include "hardening/child_process.h"
#include "model/velmar_doc.h"
#include "radio/serial_link.h"
#include "radio/transfer_job.h"
#include "radio/transfer_worker.h"
#include "shell/settings_file.h"
#include "support/radio_settings.h"
#include "support/radio_sim_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

enum class Fault { DiskFull, ReadOnlyFolder };
enum class Saver { Document, CliSet, CliNew };

struct SaveCase {
    const char* name;
    Saver saver;
    Fault fault;
};

void PrintTo(const SaveCase& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class CrashSafeSaveTest : public ::testing::TestWithParam<SaveCase> {
protected:
    CrashSafeSaveTest()
    {
        TempDir::WriteFile(ini, TempDir::ReadFile(VELMAR_RESOURCE_DIR "/setting.ini"));
        TempDir::WriteFile(dir.file("english.lang"), TempDir::ReadFile(VELMAR_RESOURCE_DIR "/english.lang"));
        ::chmod(home.c_str(), 0755);
        std::filesystem::create_directory(folder);
        SetSettingsFile(ini);
        SetLanguageFile(dir.file("english.lang"));
        // An existing data file that a failed save must not damage.
        CVelmarDoc doc;
        doc.OnNewDocument();
        doc.SetSquelchLevel(7);
        EXPECT_TRUE(doc.OnSaveDocument(file));
        original = TempDir::ReadFile(file);
        ::chmod(file.c_str(), 0644);
        ::chmod(folder.c_str(), GetParam().fault == Fault::ReadOnlyFolder ? 0555 : 0777);
    }

    TempDir dir;
    const std::string& home = dir.path();
    std::string ini = dir.file("setting.ini");
    std::string folder = dir.file("data");
    std::string file = folder + "/radio.dig";
    std::string original;
};

TEST_P(CrashSafeSaveTest, FailureIsReportedAndTheOldFileKept)
{
    const SaveCase& c = GetParam();
    ChildLimits limits;
    if (c.fault == Fault::DiskFull)
        limits.fileSizeLimit = 2000; // below the 4144 bytes of a data file
    else
        limits.unprivileged = true;

    std::string message;
    int exitCode = 0;
    if (c.saver == Saver::Document) {
        TempDir errorOut;
        ::chmod(errorOut.path().c_str(), 0777);
        const std::string errorFile = errorOut.file("error");
        exitCode = RunInChild(
            [&] {
                CVelmarDoc doc;
                doc.OnNewDocument();
                doc.SetSquelchLevel(2);
                std::string error;
                const bool saved = doc.OnSaveDocument(file, &error);
                TempDir::WriteFile(errorFile, error);
                return saved ? 0 : 1;
            },
            limits);
        message = TempDir::ReadFile(errorFile);
    } else {
        const std::vector<std::string> args = c.saver == Saver::CliSet
            ? std::vector<std::string> { "--settings", ini, "set", file, "squelchLevel=2" }
            : std::vector<std::string> { "--settings", ini, "new", "-o", file };
        const CliResult run = RunCli(args, limits);
        exitCode = run.exitCode;
        message = run.err;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << "one line: " << message;
        EXPECT_EQ(message.rfind("velmar-cli: ", 0), 0u) << message;
    }
    if (exitCode == kChildNoPrivDrop)
        GTEST_SKIP() << "cannot drop root privileges here";
    EXPECT_EQ(exitCode, 1) << message;
    EXPECT_NE(message.find(file), std::string::npos) << "the message names the file: " << message;
    EXPECT_EQ(TempDir::ReadFile(file), original);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string> { "radio.dig" });
}

INSTANTIATE_TEST_SUITE_P(Savers, CrashSafeSaveTest,
    ::testing::Values(SaveCase { "DocumentDiskFull", Saver::Document, Fault::DiskFull },
        SaveCase { "DocumentReadOnlyFolder", Saver::Document, Fault::ReadOnlyFolder },
        SaveCase { "CliSetDiskFull", Saver::CliSet, Fault::DiskFull },
        SaveCase { "CliSetReadOnlyFolder", Saver::CliSet, Fault::ReadOnlyFolder },
        SaveCase { "CliNewDiskFull", Saver::CliNew, Fault::DiskFull },
        SaveCase { "CliNewReadOnlyFolder", Saver::CliNew, Fault::ReadOnlyFolder }),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.name); });

// The port search stores the port it found in setting.ini. On a full disk
// that store fails: the read still completes, and setting.ini keeps every byte.
TEST(CrashSafeSettings, PortFoundOnAFullDiskLeavesSettingsIntact)
{
    TempDir dir;
    const std::string ini = dir.file("setting.ini");
    const std::string link = dir.file("radio");
    // COM1 names nothing, COM2 the radio; every later port names nothing either.
    WriteRadioSettings(ini,
        { { "com", "1" }, { "searchcom", "1" }, { "communication", "VLMPROG" }, { "password", "0" } }, {},
        { { 2, link } }, dir.path());
    const std::string before = TempDir::ReadFile(ini);

    RadioSimProcess radio(link, {});
    ASSERT_TRUE(radio.Started());
    ChildLimits full;
    full.fileSizeLimit = 64;
    const int status = RunInChild(
        [&] {
            std::array<unsigned char, 4096> image {};
            SerialLink port;
            port.SetSettingsPath(ini);
            TransferJob job;
            job.port = &port;
            job.settingsPath = ini;
            job.isRead = 1;
            job.image = image.data();
            TransferWorker(&job);
            return job.status.load();
        },
        full);
    EXPECT_EQ(status, ReadDone);
    EXPECT_EQ(TempDir::ReadFile(ini), before);
    EXPECT_EQ(FolderEntries(dir.path()), (std::vector<std::string> { "radio", "setting.ini" }));
}

} // namespace
