// velmar-cli verify: reads the radio into a scratch image with the transfer
// worker, as a read does, and compares the transferred bytes with a data file.
// The data file is never written.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "model/image_diff.h"
#include "model/velmar_doc.h"
#include "platform/profile.h"
#include "radio/serial_link.h"
#include "radio/transfer_job.h"
#include "radio/transfer_worker.h"
#include "shell/settings_file.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <ostream>
#include <string>
#include <thread>

namespace {

// The radio's memory differs from the file; 3-8 are the read outcomes the
// other radio commands use.
constexpr int kExitDiffers = 9;
constexpr int kBaud = 9600;

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int)
{
    g_interrupted = 1;
}

// Runs the worker to its end; Ctrl+C cancels it after the current block.
void RunRead(TransferJob& job)
{
    struct sigaction action
    {
    };
    struct sigaction previous
    {
    };
    action.sa_handler = OnInterrupt;
    ::sigaction(SIGINT, &action, &previous);
    g_interrupted = 0;
    std::atomic<bool> done { false };
    std::thread worker([&job, &done] {
        TransferWorker(&job);
        done = true;
    });
    while (!done) {
        if (g_interrupted)
            job.cancel = 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    worker.join();
    ::sigaction(SIGINT, &previous, nullptr);
}

int ReportReadFailure(int status, std::ostream& err)
{
    const int port = GetPrivateProfileInt("setup", "com", 1, SettingsFile());
    switch (status) {
    case PortError:
        CliError(err, "no radio answered on COM" + std::to_string(port));
        return 3;
    case TypeError:
        CliError(err, "the radio's identification was incomplete: not a radio this program knows");
        return 4;
    case PasswordError:
        CliError(err, "the radio's read password differs from the file's");
        return 5;
    case ReadFailed:
        CliError(err, "reading failed: the radio stopped answering");
        return 6;
    default:
        CliError(err, "verify cancelled");
        return 8;
    }
}

int RunVerify(CliContext& context)
{
    if (context.args.size() != 1 || context.args[0].starts_with("-")) {
        CliError(context.err, "verify takes exactly one data file (see --help)");
        return kExitUsage;
    }
    const std::string& path = context.args[0];
    if (!PrepareCliSettings(context.err))
        return kExitFailure;
    CVelmarDoc doc;
    if (!LoadCliDocument(doc, path, context.err))
        return kExitFailure;

    // The scratch image starts as the file, so its read password goes to the
    // password check as in a read.
    RadioImage radio = doc.Image();
    SerialLink link;
    link.SetSettingsPath(SettingsFile());
    link.SetBaudRate(kBaud);
    TransferJob job;
    job.port = &link;
    job.settingsPath = SettingsFile();
    job.isRead = 1;
    job.image = radio.bytes.data();
    RunRead(job);
    link.Close();
    if (job.status != ReadDone)
        return ReportReadFailure(job.status, context.err);

    const auto differences = DiffImages(doc.Image(), radio, RadioImage::kClonedSize, false);
    for (const ImageDifference& difference : differences)
        context.out << FormatImageDifference(difference, "file", "radio") << '\n';
    if (!differences.empty()) {
        context.out << "the radio differs from " << path << " in " << differences.size() << " field(s)\n";
        return kExitDiffers;
    }
    context.out << "the radio holds " << path << '\n';
    return kExitOk;
}

[[maybe_unused]] const bool kVerifyRegistered = RegisterCliCommand({ "verify", "verify FILE.dig",
    "read the radio and compare it with a data file by channel and setting; exit 9 when it differs",
    RunVerify });

} // namespace
