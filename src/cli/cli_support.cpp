#include "cli/cli_support.h"

#include "cli/cli_command.h"
#include "cli/cli_text.h"
#include "model/velmar_doc.h"
#include "platform/paths.h"
#include "shell/lang_string.h"
#include "shell/settings_file.h"

#include <initializer_list>
#include <ostream>

namespace {

std::string& CliSettingsPath()
{
    static std::string path;
    return path;
}

std::string ChosenSettingsPath()
{
    const std::string& path = CliSettingsPath();
    return path.empty() ? JoinPath(ExecutableDirectory(), "setting.ini") : path;
}

bool LanguageHasAll(std::initializer_list<const char*> keys)
{
    for (const char* key : keys)
        if (LoadLangString(key) == "Not Found")
            return false;
    return true;
}

} // namespace

void SetCliSettingsPath(const std::string& path)
{
    CliSettingsPath() = path;
}

void SelectCliLanguage()
{
    SetLanguageFile(LanguageFileForSettings(ChosenSettingsPath()));
}

bool PrepareCliSettings(std::ostream& err)
{
    const std::string path = ChosenSettingsPath();
    if (!FileExists(path)) {
        CliError(err, CliText("IDS_CLI_NO_SETTINGS", "cannot find the settings file %s", { path }));
        return false;
    }
    SetSettingsFile(path);
    SetLanguageFile(LanguageFileForSettings(path));
    return true;
}

std::optional<int> ParseCliNumber(const std::string& text)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool LoadCliDocument(CVelmarDoc& doc, const std::string& path, std::ostream& err)
{
    doc.OnNewDocument();
    std::string error;
    if (!doc.OnOpenDocument(path, &error)) {
        CliError(err, error);
        return false;
    }
    if (doc.GetLastLoadResult() == CVelmarDoc::LoadResult::WrongSignature) {
        CliError(err,
            CliText("IDS_CLI_WRONG_SIGNATURE", "%s is not a radio data file (wrong signature)", { path }));
        return false;
    }
    return true;
}

int LoadCliSingleDocument(CliContext& context, const char* command, CVelmarDoc& doc)
{
    if (context.args.size() != 1 || context.args[0].starts_with("-")) {
        CliError(context.err,
            CliText("IDS_CLI_ONE_FILE", "%s takes exactly one data file (see --help)", { command }));
        return kExitUsage;
    }
    if (!PrepareCliSettings(context.err))
        return kExitFailure;
    return LoadCliDocument(doc, context.args[0], context.err) ? kExitOk : kExitFailure;
}

bool SaveCliDocument(CVelmarDoc& doc, const std::string& path, std::ostream& err)
{
    std::string error;
    if (!doc.OnSaveDocument(path, &error)) {
        CliError(err, error);
        return false;
    }
    return true;
}

bool CliDiffNamesLocalized()
{
    return LanguageHasAll({ "IDS_DIFF_CHANNEL", "IDS_DIFF_RXFREQ", "IDS_DIFF_TXFREQ", "IDS_DIFF_RXTONE",
        "IDS_DIFF_TXTONE", "IDS_DIFF_BYTE" });
}

bool CliCsvTextsLocalized()
{
    return LanguageHasAll({ "IDS_CSV_LINE", "IDS_CSV_ERR_EMPTY", "IDS_CSV_ERR_QUOTE",
        "IDS_CSV_ERR_AFTER_QUOTE", "IDS_CSV_ERR_COLUMN", "IDS_CSV_ERR_TWICE", "IDS_CSV_ERR_NO_CHANNEL",
        "IDS_CSV_ERR_FIELDS", "IDS_CSV_ERR_CHANNEL", "IDS_CSV_ERR_DUP_CHANNEL", "IDS_CSV_ERR_FREQ",
        "IDS_CSV_ERR_TONE", "IDS_CSV_ERR_OPTION", "IDS_CSV_ERR_EMPTY_CHANNEL", "IDS_CSV_ERR_TX_TONE",
        "IDS_CSV_ADJ_LINE", "IDS_CSV_ADJ_SNAPPED", "IDS_CSV_ADJ_HIGH", "IDS_CSV_ADJ_LOW", "IDS_CSV_ADJ_TONE",
        "IDS_CSV_ADJ_PRIORITY" });
}

void CliError(std::ostream& err, const std::string& message)
{
    err << "velmar-cli: " << message << '\n';
}

std::string CliUnexpectedArgument(const std::string& command, const std::string& arg)
{
    return CliText("IDS_CLI_UNEXPECTED_ARG", "%s: unexpected argument \"%s\" (see --help)", { command, arg });
}

std::string CliMissingOutput(const std::string& command, const std::string& hint)
{
    return CliText("IDS_CLI_NO_OUTPUT", "%s: the output file is missing (%s)", { command, hint });
}
