#include "cli/cli_transfer.h"

#include "cli/cli_support.h"
#include "cli/cli_text.h"
#include "platform/profile.h"
#include "radio/port_diagnosis.h"
#include "radio/serial_link.h"
#include "radio/transfer_job.h"
#include "radio/transfer_worker.h"
#include "shell/settings_file.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <ostream>
#include <thread>
#include <unistd.h>

namespace {

constexpr auto kPollPeriod = std::chrono::milliseconds(20);

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int)
{
    g_interrupted = 1;
}

// "COM3 (/dev/ttyUSB0)": the port by number and by device.
std::string PortAndDevice(int port, const std::string& device)
{
    return CliPortName(port) + " (" + device + ")";
}

// Why the link could not open port: one clause for a message.
std::string OpenFailure(const SerialLink& link, int port)
{
    const std::string what = PortAndDevice(port, link.LastDevice());
    switch (link.LastOpenError()) {
    case SerialOpenError::NotFound:
        return CliText("IDS_CLI_PORT_NOT_FOUND", "%s does not exist", { what });
    case SerialOpenError::Busy:
        return CliText("IDS_CLI_PORT_BUSY", "%s is in use by another program", { what });
    case SerialOpenError::PermissionDenied: {
        const std::string group = PortOwningGroup(link.LastDevice());
        if (group.empty())
            return CliText("IDS_CLI_PORT_DENIED_OWNER",
                "no permission to open %s; only its owner may use it (see its mode with ls -l)", { what });
        return CliText("IDS_CLI_PORT_DENIED_GROUP",
            "no permission to open %s; add your user to the group \"%s\" that owns it (sudo usermod -aG %s "
            "$USER, then log in again)",
            { what, group, group });
    }
    case SerialOpenError::None:
    case SerialOpenError::Other:
        break;
    }
    return CliText(
        "IDS_CLI_PORT_OPEN_FAILED", "cannot open %s: %s", { what, std::strerror(link.LastOpenErrno()) });
}

} // namespace

std::string CliPortName(int port)
{
    return "COM" + std::to_string(port);
}

int ConfiguredCliPort()
{
    return GetPrivateProfileInt("setup", "com", 1, SettingsFile());
}

std::string CliOpenFailureState(const SerialLink& link)
{
    switch (link.LastOpenError()) {
    case SerialOpenError::NotFound:
        return CliText("IDS_CLI_PORT_STATE_NOT_FOUND", "does not exist");
    case SerialOpenError::Busy:
        return CliText("IDS_CLI_PORT_STATE_BUSY", "is in use by another program");
    case SerialOpenError::PermissionDenied: {
        const std::string group = PortOwningGroup(link.LastDevice());
        if (group.empty())
            return CliText("IDS_CLI_PORT_STATE_DENIED", "no permission");
        return CliText("IDS_CLI_PORT_STATE_DENIED_GROUP", "no permission (group \"%s\")", { group });
    }
    case SerialOpenError::None:
    case SerialOpenError::Other:
        break;
    }
    return CliText("IDS_CLI_PORT_STATE_FAILED", "cannot open: %s", { std::strerror(link.LastOpenErrno()) });
}

void StartCliJob(TransferJob& job, SerialLink& link, bool isRead, unsigned char* image)
{
    link.SetSettingsPath(SettingsFile());
    link.SetBaudRate(kCliBaud);
    job.port = &link;
    job.settingsPath = SettingsFile();
    job.isRead = isRead ? 1 : 0;
    job.status = Idle;
    job.image = image;
    job.cancel = 0;
    job.foundPort = -1;
}

void RunCliTransfer(TransferJob& job, std::ostream& err)
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
                line = CliText(
                    "IDS_CLI_PROGRESS_SEARCH", "searching for the radio: %s", { CliPortName(job.progress) });
            else if (status == Reading)
                line = CliText("IDS_CLI_PROGRESS_READ", "reading %d%%", { job.progress.load() });
            else if (status == Writing)
                line = CliText("IDS_CLI_PROGRESS_WRITE", "writing %d%%", { job.progress.load() });
            if (line != shown) {
                // Padding by bytes over-clears a line of wide characters, which is harmless.
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

int ReportCliTransferFailure(
    const TransferJob& job, SerialLink& link, CliTransferKind kind, std::ostream& err)
{
    const std::string gone = link.IsGone()
        ? " " + CliText("IDS_CLI_PORT_GONE", "(the port went away: was the cable pulled?)")
        : std::string();
    switch (job.status.load()) {
    case PortError: {
        const int port = ConfiguredCliPort();
        if (!link.IsOpen() && !link.Open(port, kCliBaud)) {
            CliError(err,
                CliText("IDS_CLI_NO_RADIO_PORT", "no radio answered on %s: %s",
                    { CliPortName(port), OpenFailure(link, port) }));
        } else {
            link.Close();
            CliError(err,
                CliText("IDS_CLI_NO_RADIO_ANSWER", "no radio answered on %s%s",
                    { PortAndDevice(port, link.DevicePath(port)), gone }));
        }
        return kExitPortError;
    }
    case TypeError:
        CliError(err,
            CliText("IDS_CLI_TYPE_ERROR",
                "the radio's identification was incomplete: not a radio this program knows"));
        return kExitTypeError;
    case PasswordError:
        CliError(err,
            kind == CliTransferKind::Verify
                ? CliText("IDS_CLI_PASSWORD_ERROR_FILE", "the radio's read password differs from the file's")
                : CliText("IDS_CLI_PASSWORD_ERROR",
                    "the radio's read password differs from the document's (give it with --password)"));
        return kExitPasswordError;
    case ReadFailed:
        CliError(
            err, CliText("IDS_CLI_READ_FAILED", "reading failed: the radio stopped answering%s", { gone }));
        return kExitReadFailed;
    case WriteFailed:
        CliError(err,
            CliText("IDS_CLI_WRITE_FAILED",
                "writing failed: a block was not acknowledged, the radio holds the blocks before it%s",
                { gone }));
        return kExitWriteFailed;
    default:
        switch (kind) {
        case CliTransferKind::Read:
            CliError(err, CliText("IDS_CLI_READ_CANCELLED", "read cancelled; nothing was saved"));
            break;
        case CliTransferKind::Write:
            CliError(err,
                CliText(
                    "IDS_CLI_WRITE_CANCELLED", "write cancelled; the radio holds the blocks written so far"));
            break;
        case CliTransferKind::Verify:
            CliError(err, CliText("IDS_CLI_VERIFY_CANCELLED", "verify cancelled"));
            break;
        }
        return kExitCancelled;
    }
}
