// velmar-cli commands that talk to the radio: read, write and ports. A
// transfer runs as the transfer dialog runs it: the worker on its own thread,
// the job polled every 20 ms, the document touched only after ReadDone.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "model/velmar_doc.h"
#include "platform/profile.h"
#include "radio/clone_protocol.h"
#include "radio/port_diagnosis.h"
#include "radio/serial_link.h"
#include "radio/transfer_job.h"
#include "radio/transfer_worker.h"
#include "shell/settings_file.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <ostream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// One exit code per final transfer outcome, after the shared 0, 1 and 2.
enum RadioExit : int {
    kExitPortError = 3,
    kExitTypeError = 4,
    kExitPasswordError = 5,
    kExitReadFailed = 6,
    kExitWriteFailed = 7,
    kExitCancelled = 8,
};

constexpr int kBaud = 9600;
constexpr auto kPollPeriod = std::chrono::milliseconds(20);

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int)
{
    g_interrupted = 1;
}

std::string PortName(int port)
{
    return "COM" + std::to_string(port);
}

// Why the link could not open port: one clause for a message.
std::string OpenFailure(const SerialLink& link, int port)
{
    const std::string what = PortName(port) + " (" + link.LastDevice() + ")";
    switch (link.LastOpenError()) {
    case SerialOpenError::NotFound:
        return what + " does not exist";
    case SerialOpenError::Busy:
        return what + " is in use by another program";
    case SerialOpenError::PermissionDenied: {
        const std::string group = PortOwningGroup(link.LastDevice());
        if (group.empty())
            return "no permission to open " + what + "; only its owner may use it (see its mode with ls -l)";
        return "no permission to open " + what + "; add your user to the group \"" + group
            + "\" that owns it (sudo usermod -aG " + group + " $USER, then log in again)";
    }
    case SerialOpenError::None:
    case SerialOpenError::Other:
        break;
    }
    return "cannot open " + what + ": " + std::strerror(link.LastOpenErrno());
}

int ConfiguredPort()
{
    return GetPrivateProfileInt("setup", "com", 1, SettingsFile());
}

// Runs the worker to its end, showing progress on a terminal; Ctrl+C cancels.
void RunTransfer(TransferJob& job, std::ostream& err)
{
    const bool terminal = ::isatty(STDERR_FILENO) != 0;
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
    std::string shown;
    while (!done) {
        if (g_interrupted)
            job.cancel = 1;
        if (terminal) {
            std::string line;
            const int status = job.status;
            if (status == SearchingPort)
                line = "searching for the radio: " + PortName(job.progress);
            else if (status == Reading || status == Writing)
                line = std::string(job.isRead ? "reading" : "writing") + " " + std::to_string(job.progress)
                    + "%";
            if (line != shown) {
                err << '\r' << line
                    << std::string(shown.size() > line.size() ? shown.size() - line.size() : 0, ' ')
                    << std::flush;
                shown = line;
            }
        }
        std::this_thread::sleep_for(kPollPeriod);
    }
    // The worker has returned before the job, its buffer or the link go away.
    worker.join();
    if (terminal && !shown.empty())
        err << '\n';
    ::sigaction(SIGINT, &previous, nullptr);
}

// Explains a failed transfer in one line and gives its exit code.
int ReportFailure(const TransferJob& job, SerialLink& link, std::ostream& err)
{
    const std::string gone = link.IsGone() ? " (the port went away: was the cable pulled?)" : "";
    switch (job.status.load()) {
    case PortError: {
        const int port = ConfiguredPort();
        if (!link.IsOpen() && !link.Open(port, kBaud)) {
            CliError(err, "no radio: " + OpenFailure(link, port));
        } else {
            link.Close();
            CliError(
                err, "no radio answered on " + PortName(port) + " (" + link.DevicePath(port) + ")" + gone);
        }
        return kExitPortError;
    }
    case TypeError:
        CliError(err, "the radio's identification was incomplete: not a radio this program knows");
        return kExitTypeError;
    case PasswordError:
        CliError(err, "the radio's read password differs from the document's (give it with --password)");
        return kExitPasswordError;
    case ReadFailed:
        CliError(err, "reading failed: the radio stopped answering" + gone);
        return kExitReadFailed;
    case WriteFailed:
        CliError(
            err, "writing failed: a block was not acknowledged, the radio holds the blocks before it" + gone);
        return kExitWriteFailed;
    default:
        CliError(err,
            job.isRead ? "read cancelled; nothing was saved"
                       : "write cancelled; the radio holds the blocks written so far");
        return kExitCancelled;
    }
}

bool IsPasswordText(const std::string& text)
{
    return text.size() <= 6 && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
}

void StartJob(TransferJob& job, SerialLink& link, int isRead, unsigned char* image)
{
    link.SetSettingsPath(SettingsFile());
    link.SetBaudRate(kBaud);
    job.port = &link;
    job.settingsPath = SettingsFile();
    job.isRead = isRead;
    job.status = Idle;
    job.image = image;
    job.cancel = 0;
    job.foundPort = -1;
}

// ---- read -------------------------------------------------------------------

int RunRead(CliContext& context)
{
    std::string output;
    std::string from;
    std::string password;
    bool hasPassword = false;
    const auto& args = context.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "-o" || arg == "--output") && i + 1 < args.size()) {
            output = args[++i];
        } else if (arg == "--from" && i + 1 < args.size()) {
            from = args[++i];
        } else if (arg == "--password" && i + 1 < args.size()) {
            password = args[++i];
            hasPassword = true;
        } else {
            CliError(context.err, "read: unexpected argument \"" + arg + "\" (see --help)");
            return kExitUsage;
        }
    }
    if (output.empty()) {
        CliError(context.err, "read: the output file is missing (-o FILE.dig)");
        return kExitUsage;
    }
    if (hasPassword && !IsPasswordText(password)) {
        CliError(context.err, "--password takes up to 6 letters and digits, not \"" + password + "\"");
        return kExitUsage;
    }
    if (!PrepareCliSettings(context.err))
        return kExitFailure;

    CVelmarDoc doc;
    if (!from.empty()) {
        if (!LoadCliDocument(doc, from, context.err))
            return kExitFailure;
    } else {
        doc.OnNewDocument();
    }
    if (hasPassword)
        doc.SetReadPasswordText(password);

    // The worker fills a copy; the document takes it only after ReadDone.
    std::array<unsigned char, RadioImage::kSize> buffer {};
    std::copy(doc.Image().bytes.begin(), doc.Image().bytes.end(), buffer.begin());
    SerialLink link;
    TransferJob job;
    StartJob(job, link, 1, buffer.data());
    RunTransfer(job, context.err);
    if (job.status != ReadDone)
        return ReportFailure(job, link, context.err);
    link.Close();

    std::copy(buffer.begin(), buffer.end(), doc.Image().bytes.begin());
    if (!SaveCliDocument(doc, output, context.err))
        return kExitFailure;
    context.out << "read the radio on " << PortName(ConfiguredPort()) << " into " << output << '\n';
    return kExitOk;
}

// ---- write ------------------------------------------------------------------

int RunWrite(CliContext& context)
{
    if (context.args.size() != 1 || context.args[0].starts_with("-")) {
        CliError(context.err, "write takes exactly one data file (see --help)");
        return kExitUsage;
    }
    if (!PrepareCliSettings(context.err))
        return kExitFailure;
    CVelmarDoc doc;
    if (!LoadCliDocument(doc, context.args[0], context.err))
        return kExitFailure;

    std::array<unsigned char, RadioImage::kSize> buffer {};
    std::copy(doc.Image().bytes.begin(), doc.Image().bytes.end(), buffer.begin());
    SerialLink link;
    TransferJob job;
    StartJob(job, link, 0, buffer.data());
    RunTransfer(job, context.err);
    if (job.status != WriteDone)
        return ReportFailure(job, link, context.err);
    CloneProtocol(link, SettingsFile()).SendEndCommand();
    link.Close();
    context.out << "wrote " << context.args[0] << " into the radio on " << PortName(ConfiguredPort()) << '\n';
    return kExitOk;
}

// ---- ports ------------------------------------------------------------------

int RunPorts(CliContext& context)
{
    if (!context.args.empty()) {
        CliError(context.err, "ports takes no arguments");
        return kExitUsage;
    }
    if (!PrepareCliSettings(context.err))
        return kExitFailure;
    const int configured = ConfiguredPort();
    SerialLink link;
    link.SetSettingsPath(SettingsFile());
    for (int port = 1; port <= 8; ++port) {
        std::string state;
        if (link.Open(port, kBaud)) {
            link.Close();
            state = "can be opened";
        } else {
            state = OpenFailure(link, port);
            state = state.substr(state.find(')') + 1);
            state.erase(0, state.find_first_not_of(' '));
            if (link.LastOpenError() == SerialOpenError::PermissionDenied) {
                const std::string group = PortOwningGroup(link.LastDevice());
                state = group.empty() ? "no permission" : "no permission (group \"" + group + "\")";
            }
        }
        // Which adapter a number stands for tells apart two cables plugged in at once.
        const std::string adapter = DescribeUsbAdapter(ReadUsbAdapterInfo(link.DevicePath(port)));
        if (!adapter.empty())
            state += " (" + adapter + ")";
        context.out << PortName(port) << (port == configured ? "*" : " ") << '\t' << link.DevicePath(port)
                    << '\t' << state << '\n';
    }
    context.out << "* the configured port ([setup] com)\n";
    return kExitOk;
}

[[maybe_unused]] const bool kReadRegistered
    = RegisterCliCommand({ "read", "read -o FILE.dig [--from FILE.dig] [--password TEXT]",
        "read the radio into a new document (or a copy of --from, whose read password --password sets) and "
        "save it",
        RunRead });
[[maybe_unused]] const bool kWriteRegistered
    = RegisterCliCommand({ "write", "write FILE.dig", "write a data file into the radio", RunWrite });
[[maybe_unused]] const bool kPortsRegistered = RegisterCliCommand(
    { "ports", "ports", "list COM1-COM8 with their devices and whether each can be opened now", RunPorts });

} // namespace
