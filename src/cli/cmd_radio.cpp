// velmar-cli commands that talk to the radio: read, write and ports. A
// transfer runs as the transfer dialog runs it: the worker on its own thread,
// the job polled every 20 ms, the document touched only after ReadDone.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "cli/cli_text.h"
#include "cli/cli_transfer.h"
#include "model/velmar_doc.h"
#include "radio/clone_protocol.h"
#include "radio/port_diagnosis.h"
#include "radio/serial_link.h"
#include "radio/transfer_job.h"
#include "shell/settings_file.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <string>

namespace {

bool IsPasswordText(const std::string& text)
{
    return text.size() <= 6 && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
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
            CliError(context.err, CliUnexpectedArgument("read", arg));
            return kExitUsage;
        }
    }
    if (output.empty()) {
        CliError(context.err, CliMissingOutput("read", "-o FILE.dig"));
        return kExitUsage;
    }
    if (hasPassword && !IsPasswordText(password)) {
        CliError(context.err,
            CliText("IDS_CLI_PASSWORD_OPTION", "--password takes up to 6 letters and digits, not \"%s\"",
                { password }));
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
    StartCliJob(job, link, true, buffer.data());
    RunCliTransfer(job, context.err);
    if (job.status != ReadDone)
        return ReportCliTransferFailure(job, link, CliTransferKind::Read, context.err);
    link.Close();

    std::copy(buffer.begin(), buffer.end(), doc.Image().bytes.begin());
    if (!SaveCliDocument(doc, output, context.err))
        return kExitFailure;
    context.out << CliText(
        "IDS_CLI_READ_DONE", "read the radio on %s into %s", { CliPortName(ConfiguredCliPort()), output })
                << '\n';
    return kExitOk;
}

// ---- write ------------------------------------------------------------------

int RunWrite(CliContext& context)
{
    CVelmarDoc doc;
    if (const int code = LoadCliSingleDocument(context, "write", doc); code != kExitOk)
        return code;

    std::array<unsigned char, RadioImage::kSize> buffer {};
    std::copy(doc.Image().bytes.begin(), doc.Image().bytes.end(), buffer.begin());
    SerialLink link;
    TransferJob job;
    StartCliJob(job, link, false, buffer.data());
    RunCliTransfer(job, context.err);
    if (job.status != WriteDone)
        return ReportCliTransferFailure(job, link, CliTransferKind::Write, context.err);
    CloneProtocol(link, SettingsFile()).SendEndCommand();
    link.Close();
    context.out << CliText("IDS_CLI_WRITE_DONE", "wrote %s into the radio on %s",
        { context.args[0], CliPortName(ConfiguredCliPort()) })
                << '\n';
    return kExitOk;
}

// ---- ports ------------------------------------------------------------------

int RunPorts(CliContext& context)
{
    if (!context.args.empty()) {
        CliError(context.err, CliText("IDS_CLI_PORTS_NO_ARGS", "ports takes no arguments"));
        return kExitUsage;
    }
    if (!PrepareCliSettings(context.err))
        return kExitFailure;
    const int configured = ConfiguredCliPort();
    SerialLink link;
    link.SetSettingsPath(SettingsFile());
    for (int port = 1; port <= 8; ++port) {
        std::string state;
        if (link.Open(port, kCliBaud)) {
            link.Close();
            state = CliText("IDS_CLI_PORT_STATE_OK", "can be opened");
        } else {
            state = CliOpenFailureState(link);
        }
        // Which adapter a number stands for tells apart two cables plugged in at once.
        const std::string adapter = DescribeUsbAdapter(ReadUsbAdapterInfo(link.DevicePath(port)));
        if (!adapter.empty())
            state += " (" + adapter + ")";
        context.out << CliPortName(port) << (port == configured ? "*" : " ") << '\t' << link.DevicePath(port)
                    << '\t' << state << '\n';
    }
    context.out << CliText("IDS_CLI_PORTS_LEGEND", "* the configured port ([setup] com)") << '\n';
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
