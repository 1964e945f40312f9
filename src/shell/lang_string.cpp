#include "shell/lang_string.h"

#include "platform/profile.h"
#include "shell/settings_file.h"

namespace {

void ReplaceAll(std::string& text, std::string_view from, char to)
{
    std::size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), 1, to);
        ++pos;
    }
}

} // namespace

std::string LoadLangString(std::string_view key)
{
    std::string text = GetPrivateProfileString("String", key, "Not Found", 1000, LanguageFile());
    ReplaceAll(text, "\\n", '\n');
    ReplaceAll(text, "\\t", '\t');
    return text;
}

std::vector<std::string> LoadLangList(std::string_view section)
{
    std::vector<std::string> entries;
    for (int i = 0;; ++i) {
        std::string entry = GetPrivateProfileString(section, std::to_string(i), "", 30, LanguageFile());
        if (entry.empty())
            break;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string LoadChText(int column)
{
    return GetPrivateProfileString("ChText", "IDS_ChText" + std::to_string(column), "", 30, LanguageFile());
}

std::string LoadResourceText(int id)
{
    // Control IDs are 16-bit: a child with ID -1 is stored as 65535.
    const int key = id < 0 ? (id & 0xFFFF) : id;
    return GetPrivateProfileString("Resource", std::to_string(key), "", 1024, LanguageFile());
}
