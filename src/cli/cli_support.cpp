#include "cli/cli_support.h"

#include "model/velmar_doc.h"
#include "platform/locale.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "shell/settings_file.h"

#include <ostream>

namespace {

std::string& CliSettingsPath()
{
    static std::string path;
    return path;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

void SetCliSettingsPath(const std::string& path)
{
    CliSettingsPath() = path;
}

bool PrepareCliSettings(std::ostream& err)
{
    std::string path = CliSettingsPath();
    if (path.empty())
        path = JoinPath(ExecutableDirectory(), "setting.ini");
    if (!FileExists(path)) {
        CliError(err, "cannot find the settings file " + path);
        return false;
    }
    SetSettingsFile(path);
    std::string language = GetPrivateProfileString("setup", "language", "", 260, path);
    if (language.empty())
        language = SystemDefaultLcid() == 2052 ? "chinese" : "english";
    SetLanguageFile(JoinPath(FolderOf(path), language + ".lang"));
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
        CliError(err, path + " is not a radio data file (wrong signature)");
        return false;
    }
    return true;
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

void CliError(std::ostream& err, const std::string& message)
{
    err << "velmar-cli: " << message << '\n';
}
