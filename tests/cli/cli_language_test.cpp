// velmar-cli in the user's language: the real program with the shipped
// Chinese language file shows Chinese, and with the file missing or lacking
// its keys falls back to the built-in English (never "Not Found"). Also the
// text formatter and the two shipped language files' CLI entries.

#include "cli/cli_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

// ---- the formatter ------------------------------------------------------------

struct FormatCase
{
    const char* pattern;
    std::vector<std::string> args;
    const char* expected;
};

class CliFormatTest : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(CliFormatTest, SubstitutesInOrderAndNeverRescans)
{
    const FormatCase& c = GetParam();
    std::string text;
    switch (c.args.size()) {
    case 0:
        text = FormatCliText(c.pattern, {});
        break;
    case 1:
        text = FormatCliText(c.pattern, { c.args[0] });
        break;
    default:
        text = FormatCliText(c.pattern, { c.args[0], c.args[1] });
        break;
    }
    EXPECT_EQ(text, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Patterns, CliFormatTest,
    ::testing::Values(FormatCase { "%s takes %d", { "beep", "1" }, "beep takes 1" },
        // A value that looks like a placeholder stays as it is.
        FormatCase { "%s: %s", { "%s%d%n", "x" }, "%s%d%n: x" },
        FormatCase { "reading %d%%", { "40" }, "reading 40%" },
        // Placeholders beyond the values give nothing; printf's others are plain text.
        FormatCase { "%s and %s", { "a" }, "a and " }, FormatCase { "%n %x %", {}, "%n %x %" },
        FormatCase { "%", {}, "%" }));

TEST(CliArgTest, NumbersAreWrittenInDecimal)
{
    EXPECT_EQ(FormatCliText("%d %d %d", { 7, std::size_t { 12 }, -3 }), "7 12 -3");
}

// ---- the shipped language files -------------------------------------------------

std::map<std::string, std::string> CliEntries(const std::string& file)
{
    std::ifstream in(std::string(VELMAR_RESOURCE_DIR) + "/" + file);
    std::map<std::string, std::string> entries;
    for (std::string line; std::getline(in, line);)
        if (line.starts_with("IDS_CLI_"))
            entries[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    return entries;
}

std::vector<std::string> Placeholders(const std::string& text)
{
    static const std::regex kPlaceholder("%[sd%]");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), kPlaceholder); it != std::sregex_iterator();
         ++it)
        found.push_back(it->str());
    return found;
}

// The values go in by position, so a translation must keep the order; and a
// language file entry is read into 1000 bytes, which a long Chinese text could
// overrun unnoticed.
TEST(CliLanguageFilesTest, TranslationsKeepThePlaceholdersAndFitTheReadBuffer)
{
    const auto english = CliEntries("english.lang");
    const auto chinese = CliEntries("chinese.lang");
    ASSERT_FALSE(english.empty());
    for (const auto& [key, text] : english) {
        ASSERT_TRUE(chinese.contains(key)) << key;
        EXPECT_EQ(Placeholders(text), Placeholders(chinese.at(key))) << key;
        EXPECT_LT(text.size(), 999u) << key;
        EXPECT_LT(chinese.at(key).size(), 999u) << key;
    }
}

// ---- the program ----------------------------------------------------------------

enum class LanguageFile { Chinese, Missing, WithoutCliKeys };

struct Outcome
{
    int code = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& arg)
{
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct LanguageCase
{
    const char* name;
    std::vector<std::string> args; // "A" and "B" stand for the two data files, "C" for a CSV file
    int code;
    bool onOut; // the text is on standard output, not on standard error
    const char* chinese;
    const char* english;
};

class CliLanguageTest : public ::testing::TestWithParam<std::tuple<LanguageCase, LanguageFile>>
{
protected:
    void SetUp() override
    {
        TempDir::WriteFile(dir.file("setting.ini"),
            "[setup]\nlanguage=chinese\nchannel=16\n[ModelInfo]\ndata0=00400052\nFreq0=400-520MHz\n");
        switch (std::get<1>(GetParam())) {
        case LanguageFile::Chinese:
            TempDir::WriteFile(dir.file("chinese.lang"),
                TempDir::ReadFile(std::string(VELMAR_RESOURCE_DIR) + "/chinese.lang"));
            break;
        case LanguageFile::WithoutCliKeys:
            TempDir::WriteFile(dir.file("chinese.lang"), "[String]\nIDS_OFF=关\n");
            break;
        case LanguageFile::Missing:
            break;
        }
        ASSERT_EQ(Run({ "new", "-o", dir.file("a.dig") }).code, 0);
        ASSERT_EQ(Run({ "new", "-o", dir.file("b.dig") }).code, 0);
        ASSERT_EQ(Run({ "set", dir.file("b.dig"), "--channel", "3", "rxFreq=439.125" }).code, 0);
        TempDir::WriteFile(dir.file("c.csv"), "channel,colour\n1,red\n");
    }

    Outcome Run(const std::vector<std::string>& args)
    {
        std::string command = Quote(std::string(VELMAR_BIN_DIR) + "/velmar-cli") + " --settings "
            + Quote(dir.file("setting.ini"));
        static const std::map<std::string, std::string> kFiles
            = { { "A", "a.dig" }, { "B", "b.dig" }, { "C", "c.csv" } };
        for (const std::string& arg : args)
            command += " " + Quote(kFiles.contains(arg) ? dir.file(kFiles.at(arg)) : arg);
        command += " >" + Quote(dir.file("out.txt")) + " 2>" + Quote(dir.file("err.txt")) + " </dev/null";
        const int status = std::system(command.c_str());
        Outcome outcome;
        outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        outcome.out = TempDir::ReadFile(dir.file("out.txt"));
        outcome.err = TempDir::ReadFile(dir.file("err.txt"));
        return outcome;
    }

    TempDir dir;
};

TEST_P(CliLanguageTest, ShowsTheLanguageFileOrTheBuiltInEnglish)
{
    const auto& [c, language] = GetParam();
    const Outcome outcome = Run(c.args);
    EXPECT_EQ(outcome.code, c.code) << outcome.err;
    const std::string& text = c.onOut ? outcome.out : outcome.err;
    const std::string expected = language == LanguageFile::Chinese ? c.chinese : c.english;
    EXPECT_NE(text.find(expected), std::string::npos) << "expected \"" << expected << "\" in:\n" << text;
    EXPECT_EQ((outcome.out + outcome.err).find("Not Found"), std::string::npos) << outcome.out << outcome.err;
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<LanguageCase, LanguageFile>>& info)
{
    static const char* const kFiles[] = { "Chinese", "Missing", "WithoutCliKeys" };
    return std::string(std::get<0>(info.param).name) + "_"
        + kFiles[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Messages, CliLanguageTest,
    ::testing::Combine(
        ::testing::Values(LanguageCase { "UnknownCommand", { "bogus" }, 2, false, "未知命令“bogus”",
                              "unknown command \"bogus\"" },
            LanguageCase { "MissingOutput", { "new" }, 2, false, "new：缺少输出文件（-o FILE.dig）",
                "new: the output file is missing (-o FILE.dig)" },
            LanguageCase { "OutOfRange", { "set", "A", "squelchLevel=12" }, 2, false,
                "squelchLevel 需要 0-9 之间的数字，而不是“12”",
                "squelchLevel takes a number 0-9, not \"12\"" },
            LanguageCase { "EmptyChannel", { "set", "A", "--channel", "5", "txFreq=439.1" }, 2, false,
                "无法设置 txFreq（信道 5）：该信道为空",
                "txFreq of channel 5 cannot be set: the channel is empty" },
            LanguageCase { "BadPassword", { "read", "-o", "x.dig", "--password", "seven77" }, 2, false,
                "--password 最多 6 个字母或数字，而不是“seven77”",
                "--password takes up to 6 letters and digits, not \"seven77\"" },
            LanguageCase { "CsvError", { "import", "C", "A" }, 1, false, "未知的列“colour”；未导入任何内容",
                "unknown column \"colour\"; nothing was imported" },
            LanguageCase { "DiffFieldNames", { "diff", "A", "B" }, 1, true, "信道 3 接收频率",
                "channel 3 receive frequency" },
            LanguageCase {
                "Help", { "--help" }, 0, true, "退出码：\n  0  成功", "exit codes:\n  0  success" },
            LanguageCase { "HelpSummary", { "--help" }, 0, true, "      将数据文件写入对讲机",
                "      write a data file into the radio" }),
        ::testing::Values(LanguageFile::Chinese, LanguageFile::Missing, LanguageFile::WithoutCliKeys)),
    CaseName);

} // namespace
