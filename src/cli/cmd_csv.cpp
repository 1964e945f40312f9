// velmar-cli export and import: the channel table of a data file as CSV.
// Import goes through the table's commit rules on a copy and saves only when
// the whole file was accepted. Format: docs/csv.md.

#include "cli/cli_command.h"
#include "cli/cli_support.h"
#include "cli/cli_text.h"
#include "model/channel_csv.h"
#include "model/velmar_doc.h"
#include "platform/atomic_file.h"
#include "platform/profile.h"
#include "shell/settings_file.h"

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string>

namespace {

// A channel table has 17 short lines; anything far larger is not one.
constexpr std::size_t kMaxCsvSize = 1 << 20;

// The rows the channel table shows: [setup] channel, at most 16.
int TableRows()
{
    const std::string text = GetPrivateProfileString("setup", "channel", "", 20, SettingsFile());
    return static_cast<int>(std::clamp(std::strtoll(text.c_str(), nullptr, 10), 0LL, 16LL));
}

int RunExport(CliContext& context)
{
    const auto& args = context.args;
    std::string input;
    std::string output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size()) {
            output = args[++i];
        } else if (input.empty() && !args[i].starts_with("-")) {
            input = args[i];
        } else {
            CliError(context.err, CliUnexpectedArgument("export", args[i]));
            return kExitUsage;
        }
    }
    if (input.empty() || output.empty()) {
        CliError(context.err,
            CliText("IDS_CLI_EXPORT_ARGS", "export takes a data file and -o FILE.csv (see --help)"));
        return kExitUsage;
    }
    if (!PrepareCliSettings(context.err))
        return kExitFailure;
    CVelmarDoc doc;
    if (!LoadCliDocument(doc, input, context.err))
        return kExitFailure;
    std::string error;
    if (!WriteFileAtomically(output, ExportChannelsCsv(doc, TableRows()), &error)) {
        CliError(context.err, error);
        return kExitFailure;
    }
    return kExitOk;
}

int RunImport(CliContext& context)
{
    const auto& args = context.args;
    std::vector<std::string> files;
    bool dryRun = false;
    for (const std::string& arg : args) {
        if (arg == "--dry-run") {
            dryRun = true;
        } else if (arg.starts_with("-") || files.size() == 2) {
            CliError(context.err, CliUnexpectedArgument("import", arg));
            return kExitUsage;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) {
        CliError(context.err,
            CliText("IDS_CLI_IMPORT_ARGS", "import takes a CSV file and a data file (see --help)"));
        return kExitUsage;
    }
    const std::string& csvPath = files[0];
    const std::string& docPath = files[1];
    if (!PrepareCliSettings(context.err))
        return kExitFailure;
    CVelmarDoc doc;
    if (!LoadCliDocument(doc, docPath, context.err))
        return kExitFailure;
    std::string text;
    std::string error;
    if (!ReadWholeFile(csvPath, text, &error)) {
        CliError(context.err, error);
        return kExitFailure;
    }
    if (text.size() > kMaxCsvSize) {
        CliError(context.err,
            CliText("IDS_CLI_CSV_TOO_LARGE", "%s is too large for a channel table", { csvPath }));
        return kExitFailure;
    }
    const ChannelCsvImport import = PrepareChannelsCsvImport(doc, text, TableRows());
    if (!import.ok()) {
        CliError(context.err,
            CliText("IDS_CLI_CSV_REFUSED", "%s %s; nothing was imported",
                { csvPath, DescribeChannelsCsvError(import, CliCsvTextsLocalized()) }));
        return kExitFailure;
    }
    const bool localized = CliCsvTextsLocalized();
    for (const ChannelCsvAdjustment& adjustment : import.adjustments)
        context.out << DescribeChannelsCsvAdjustment(adjustment, localized) << '\n';
    const bool changes = import.image.bytes != doc.Image().bytes;
    if (dryRun) {
        context.out << (changes
                ? CliText(
                    "IDS_CLI_DRY_RUN_CHANGE", "dry run: %s would change; nothing was saved", { docPath })
                : CliText("IDS_CLI_DRY_RUN_SAME", "dry run: %s would stay as it is", { docPath }))
                    << '\n';
        return kExitOk;
    }
    if (!changes) {
        context.out << CliText(
            "IDS_CLI_IMPORT_SAME", "%s already holds these channels; not saved", { docPath })
                    << '\n';
        return kExitOk;
    }
    ApplyChannelsCsvImport(doc, import);
    if (!SaveCliDocument(doc, docPath, context.err))
        return kExitFailure;
    context.out << CliText(
        "IDS_CLI_IMPORT_DONE", "imported %d channel row(s) into %s", { import.channels.size(), docPath })
                << '\n';
    return kExitOk;
}

[[maybe_unused]] const bool kExportRegistered = RegisterCliCommand({ "export", "export FILE.dig -o FILE.csv",
    "write the channel table as CSV (columns: docs/csv.md)", RunExport });
[[maybe_unused]] const bool kImportRegistered
    = RegisterCliCommand({ "import", "import FILE.csv FILE.dig [--dry-run]",
        "apply a CSV channel table through the table's rules, all or nothing; lists every value it changed",
        RunImport });

} // namespace
