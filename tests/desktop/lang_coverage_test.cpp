// The shipped language files against what the program asks of them: every
// [String] key the sources look up (found by scanning src/ now, so a key added
// tomorrow is checked tomorrow), every translatable text of the dialog
// templates, the column titles and the list sections, in both languages.

#include "platform/profile.h"
#include "templates/command_ids.h"
#include "templates/dialog_template.h"
#include "templates/toolbar_template.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const kLanguages[] = { "english", "chinese" };
const int kDialogIds[] = { 100, 101, 130, 131, 132, 137, 139 };
const char* const kListSections[] = { "VoiceAnnunciation", "PttId", "MonitorKey", "ScanMode" };
constexpr int kColumns = 12;

std::string LangPath(const std::string& language)
{
    return std::string(VELMAR_RESOURCE_DIR) + "/" + language + ".lang";
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// section (lower case) -> key (lower case) -> value, as the profile reader sees
// them: the first of duplicate keys wins.
using IniMap = std::map<std::string, std::map<std::string, std::string>>;

IniMap ReadIni(const std::string& path)
{
    IniMap ini;
    std::ifstream in(path);
    std::string line;
    std::string section;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            section = Lower(line.substr(1, line.find(']') - 1));
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        ini[section].emplace(Lower(Trim(line.substr(0, equals))), Trim(line.substr(equals + 1)));
    }
    return ini;
}

std::string ReadSource(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every match of pattern's first group in the program's sources.
std::set<std::string> SourceMatches(const std::regex& pattern)
{
    std::set<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(std::string(VELMAR_SOURCE_DIR) + "/src")) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h"))
            continue;
        const std::string source = ReadSource(entry.path());
        for (std::sregex_iterator it(source.begin(), source.end(), pattern), end; it != end; ++it)
            found.insert((*it)[1].str());
    }
    return found;
}

// Every quoted "IDS_..." or "Menu_..." literal.
std::set<std::string> KeyLiteralsInSources()
{
    return SourceMatches(std::regex(R"re("((?:IDS|Menu)_[A-Za-z0-9_]*)")re"));
}

// The names velmar-cli commands register under.
std::set<std::string> CliCommandNames()
{
    return SourceMatches(std::regex(R"re(RegisterCliCommand\(\s*\{\s*"([A-Za-z0-9_-]+)")re"));
}

struct RequiredKey
{
    std::string section;
    std::string key;
    std::string why;
};

// Keys built at run time from a prefix: the prefix literal stands for these.
std::vector<RequiredKey> ExpandPrefix(const std::string& prefix, bool& known)
{
    std::vector<RequiredKey> keys;
    known = true;
    if (prefix == "IDS_TIP_") {
        const ToolbarTemplate* toolbar = FindToolbarTemplate(IDR_MAINFRAME);
        for (std::size_t i = 0; toolbar && i < toolbar->count; ++i) {
            if (toolbar->commands[i] != 0)
                keys.push_back(
                    { "String", prefix + std::to_string(toolbar->commands[i]), "toolbar tooltip" });
        }
    } else if (prefix == "IDS_CLI_SUMMARY_") {
        // The help line of each command, by its name in capitals.
        for (std::string name : CliCommandNames()) {
            std::transform(name.begin(), name.end(), name.begin(),
                [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            keys.push_back({ "String", prefix + name, "velmar-cli help line" });
        }
    } else if (prefix == "IDS_ChText") {
        for (int column = 0; column < kColumns; ++column)
            keys.push_back({ "ChText", prefix + std::to_string(column), "channel-table column title" });
    } else {
        known = prefix.back() != '_';
    }
    return keys;
}

std::vector<RequiredKey> RequiredKeys()
{
    std::vector<RequiredKey> keys;
    for (const std::string& literal : KeyLiteralsInSources()) {
        bool known = false;
        std::vector<RequiredKey> expanded = ExpandPrefix(literal, known);
        if (!expanded.empty())
            keys.insert(keys.end(), expanded.begin(), expanded.end());
        else if (known)
            keys.push_back({ "String", literal, "looked up in src/" });
        else
            ADD_FAILURE() << "key prefix " << literal << " is built at run time; teach this test its keys";
    }
    // TranslateWindow leaves the built-in (Chinese) text where a key is missing,
    // so every dialog caption and control text needs one. Statics with ID -1
    // carry digits only and share one key, so they stay untranslated.
    for (const int id : kDialogIds) {
        const DialogTemplate* dialog = FindDialogTemplate(id);
        if (!dialog) {
            ADD_FAILURE() << "no template " << id;
            continue;
        }
        const std::string where = "dialog " + std::to_string(id);
        if (dialog->caption && *dialog->caption)
            keys.push_back({ "Resource", std::to_string(id), where + " caption" });
        for (std::size_t i = 0; i < dialog->controlCount; ++i) {
            const ControlTemplate& control = dialog->controls[i];
            if (control.id != -1 && control.text && *control.text)
                keys.push_back({ "Resource", std::to_string(control.id), where + " control" });
        }
    }
    keys.push_back({ "Face", "disp", "language dialog" });
    for (const char* section : kListSections)
        keys.push_back({ section, "0", "list section" });
    return keys;
}

bool HasCjk(const std::string& utf8)
{
    // Lead bytes of the three-byte sequences U+3000..U+9FFF and U+FF00..U+FFEF.
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c >= 0xE3 && c <= 0xE9) || c == 0xEF)
            return true;
    }
    return false;
}

class LanguageFile : public testing::TestWithParam<const char*>
{
};

TEST_P(LanguageFile, HoldsEveryKeyTheProgramUses)
{
    const std::string path = LangPath(GetParam());
    ASSERT_TRUE(fs::exists(path)) << path;
    for (const RequiredKey& required : RequiredKeys()) {
        // The program's own reader, with its buffer sizes' worth of room.
        const std::string value = GetPrivateProfileString(required.section, required.key, "", 1000, path);
        EXPECT_FALSE(value.empty()) << GetParam() << ".lang lacks [" << required.section << "] "
                                    << required.key << " (" << required.why << ")";
    }
}

TEST_P(LanguageFile, ListSectionsRunWithoutGaps)
{
    const IniMap ini = ReadIni(LangPath(GetParam()));
    for (const char* section : kListSections) {
        const auto found = ini.find(Lower(section));
        ASSERT_NE(found, ini.end()) << section;
        // A list ends at its first missing key: a gap would hide the rest.
        for (std::size_t i = 0; i < found->second.size(); ++i)
            EXPECT_EQ(found->second.count(std::to_string(i)), 1u) << section << " has a gap before " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFile, testing::ValuesIn(kLanguages));

// A text added to one language only shows the other language's users "Not
// Found" or a fallback, so both files must carry the same keys.
TEST(LanguageFiles, CarryTheSameKeysInEverySection)
{
    const IniMap english = ReadIni(LangPath("english"));
    const IniMap chinese = ReadIni(LangPath("chinese"));
    const std::pair<const IniMap*, const IniMap*> directions[]
        = { { &english, &chinese }, { &chinese, &english } };
    const char* const names[] = { "chinese.lang", "english.lang" };
    for (int d = 0; d < 2; ++d) {
        for (const auto& [section, keys] : *directions[d].first) {
            const auto other = directions[d].second->find(section);
            for (const auto& [key, value] : keys) {
                const bool present = other != directions[d].second->end() && other->second.count(key) != 0;
                EXPECT_TRUE(present) << names[d] << " lacks [" << section << "] " << key << " = " << value;
            }
        }
    }
}

TEST(LanguageFiles, EnglishTextsAreEnglishAndChineseTextsAreTranslated)
{
    const IniMap english = ReadIni(LangPath("english"));
    const IniMap chinese = ReadIni(LangPath("chinese"));
    for (const auto& [section, keys] : english) {
        for (const auto& [key, value] : keys)
            EXPECT_FALSE(HasCjk(value)) << "english.lang [" << section << "] " << key << " = " << value;
    }
    // Most Chinese texts differ from the English ones; a long text left in
    // English is a forgotten translation (short ones like "COM1" or "VOX" may stay).
    for (const auto& [section, keys] : chinese) {
        for (const auto& [key, value] : keys) {
            if (value.size() < 12 || section == "face")
                continue;
            EXPECT_TRUE(HasCjk(value)) << "chinese.lang [" << section << "] " << key << " = " << value;
        }
    }
}

} // namespace
