// Runs the real velmar-cli on data files in a temporary folder with its own
// setting.ini and language file.

#include "model/velmar_doc.h"
#include "shell/settings_file.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const kLanguage =
    "[String]\nIDS_OFF=Off\nIDS_YES=Yes\nIDS_NO=No\nIDS_WIDE=Wide\nIDS_NARROW=Narrow\nIDS_LOW=Low\nIDS_HIGH=High\n"
    "[MonitorKey]\n0=Monitor\n1=Scan\n[VoiceAnnunciation]\n0=Off\n1=English\n2=Chinese\n"
    "[PttId]\n0=Off\n1=Start\n2=End\n3=Both\n[ScanMode]\n0=Time\n1=Carrier\n";

const char* const kEmptyRow = "\t\t\t\t\t\t\t\t\t\t\t";

using Result = CliRun;

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteSettings("english");
        TempDir::WriteFile(dir.file("english.lang"), kLanguage);
        dig = dir.file("radio.dig");
    }

    void WriteSettings(const std::string& language)
    {
        TempDir::WriteFile(dir.file("setting.ini"),
            "[setup]\nlanguage=" + language
                + "\nchannel=16\n[ModelInfo]\ndata0=00400052\nFreq0=400-520MHz\ndata1=60134017\nFreq1=136-174MHz\n");
    }

    // Runs velmar-cli with --settings pointing at the temporary setting.ini
    // (unless settings is false) and the given arguments.
    Result Run(const std::vector<std::string>& args, bool settings = true, const std::string& env = {})
    {
        return RunVelmarCli(settings ? dir.file("setting.ini") : std::string(), args, dir.path(), env);
    }

    void New(const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> args = {"new", "-o", dig};
        args.insert(args.end(), extra.begin(), extra.end());
        const Result result = Run(args);
        ASSERT_EQ(result.code, 0) << result.err;
    }

    // The show output's line for a channel, or for a setting ("name: ...").
    std::string ShowLine(const std::string& start)
    {
        const Result result = Run({"show", dig});
        EXPECT_EQ(result.code, 0) << result.err;
        std::istringstream lines(result.out);
        for (std::string line; std::getline(lines, line);)
            if (line.starts_with(start))
                return line;
        return "(no line " + start + ")";
    }

    std::string ChannelLine(int channel) { return ShowLine(std::to_string(channel) + "\t"); }

    TempDir dir;
    std::string dig;
};

TEST_F(CliTest, NewWritesTheStartUpDocument)
{
    New();
    const std::string bytes = TempDir::ReadFile(dig);
    ASSERT_EQ(bytes.size(), 4144u);
    EXPECT_EQ(bytes.substr(0, 30), "Tavro Radio Program data v1.03");
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[48 + RadioImage::kSettingFlags]), 0x86);
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[48 + 16 * n + 12]), 0xEB) << n;
    EXPECT_EQ(bytes.substr(48 + RadioImage::kModelId, 4), std::string("\x00\x40\x00\x52", 4));
}

TEST_F(CliTest, NewForAnotherCatalogueEntry)
{
    New({"--model", "1"});
    EXPECT_EQ(TempDir::ReadFile(dig).substr(48 + RadioImage::kModelId, 4), "\x60\x13\x40\x17");
    EXPECT_EQ(ShowLine("model:"), "model: 1 (136-174MHz)");
    EXPECT_EQ(ShowLine("band:"), "band: 136.00000 - 174.00000");
}

TEST_F(CliTest, ShowPrintsSettingsThenOneLinePerChannel)
{
    New();
    const Result result = Run({"show", dig});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_NE(result.out.find("squelchLevel: 3\n"), std::string::npos);
    EXPECT_NE(result.out.find("txTimeout: 6 (180)\n"), std::string::npos);
    EXPECT_NE(result.out.find("voiceAnnunciation: 1 (English)\n"), std::string::npos);
    EXPECT_NE(result.out.find("priorityChannel: 0 (Off)\n"), std::string::npos);
    std::string table;
    for (int n = 1; n <= 16; ++n)
        table += std::to_string(n) + kEmptyRow + "\n";
    EXPECT_TRUE(result.out.ends_with("\n\n" + table)) << result.out;
}

struct SetCase {
    const char* name;
    std::vector<std::string> args;
    std::string line; // the line of the channel or setting afterwards
};

TEST_F(CliTest, SetAppliesFieldsInOrderThroughTheTableRules)
{
    const SetCase cases[] = {
        {"receive frequency fills the channel", {"--channel", "1", "rxFreq=439.119"},
            "1\t439.11875\tOff\t439.11875\tOff\tYes\tWide\tHigh\tNo\tNo\tNo\tNo"},
        {"tones are parsed as the table hands them over",
            {"--channel", "2", "rxFreq=439.125", "rxTone=300", "txTone=D089N"},
            "2\t439.12500\t254.1\t439.12500\tD023N\tYes\tWide\tHigh\tNo\tNo\tNo\tNo"},
        {"same tone follows", {"--channel", "3", "rxFreq=440", "rxTone=88.5"},
            "3\t440.00000\t88.5\t440.00000\t88.5\tYes\tWide\tHigh\tNo\tNo\tNo\tNo"},
        {"band edge and split", {"--channel", "4", "rxFreq=600", "txFreq=300"},
            "4\t520.00000\tOff\t400.00000\tOff\tYes\tWide\tHigh\tNo\tNo\tNo\tNo"},
        {"options", {"--channel", "5", "rxFreq=450", "option5=1", "narrowBand=1", "highPower=0", "option11=0"},
            "5\t450.00000\tOff\t450.00000\tOff\tNo\tNarrow\tLow\tNo\tNo\tNo\tYes"},
        {"empty transmit frequency", {"--channel", "6", "rxFreq=450", "txTone=67", "txFreq="},
            "6\t450.00000\tOff\t\t\tYes\tWide\tHigh\tNo\tNo\tNo\tNo"},
        {"empty receive frequency clears the channel", {"--channel", "7", "rxFreq=450", "option5=1", "rxFreq="},
            std::string("7") + kEmptyRow},
        {"two channels in one call", {"--channel", "8", "rxFreq=430", "--channel", "9", "rxFreq=431"},
            "9\t431.00000\tOff\t431.00000\tOff\tYes\tWide\tHigh\tNo\tNo\tNo\tNo"},
        {"setting", {"squelchLevel=7"}, "squelchLevel: 7"},
        {"off value", {"voxLevel=0"}, "voxLevel: 0 (Off)"},
        {"largest value", {"txTimeout=10"}, "txTimeout: 10 (300)"},
        {"two-bit field", {"pttId=3"}, "pttId: 3 (Both)"},
        {"side key beyond the language list", {"sideKey2Long=15"}, "sideKey2Long: 15"},
        {"priority", {"--channel", "10", "rxFreq=430", "priorityChannel=10"}, "priorityChannel: 10 (10)"},
        {"codes", {"txStartCode=12ab"}, "txStartCode: 12AB"},
        {"password keeps case", {"readPassword=aB1"}, "readPassword: aB1"},
        {"empty code", {"txStartCode=12", "txStartCode="}, "txStartCode: "},
    };
    for (const SetCase& c : cases) {
        SCOPED_TRACE(c.name);
        New();
        std::vector<std::string> args = {"set", dig};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result result = Run(args);
        ASSERT_EQ(result.code, 0) << result.err;
        const std::string& line = c.line;
        const bool channelLine = line.find('\t') != std::string::npos;
        EXPECT_EQ(channelLine ? ChannelLine(std::stoi(line)) : ShowLine(line.substr(0, line.find(':') + 1)), line);
        EXPECT_EQ(TempDir::ReadFile(dig).size(), 4144u);
    }
}

TEST_F(CliTest, PriorityFollowsAClearedChannel)
{
    New();
    ASSERT_EQ(Run({"set", dig, "--channel", "4", "rxFreq=430", "priorityChannel=4"}).code, 0);
    ASSERT_EQ(Run({"set", dig, "--channel", "4", "rxFreq="}).code, 0);
    EXPECT_EQ(ShowLine("priorityChannel:"), "priorityChannel: 0 (Off)");
}

struct ErrorCase {
    const char* name;
    std::vector<std::string> args;
    int code;
};

TEST_F(CliTest, RefusedArgumentsLeaveTheFileUntouched)
{
    New();
    ASSERT_EQ(Run({"set", dig, "--channel", "1", "rxFreq=430"}).code, 0);
    const std::string before = TempDir::ReadFile(dig);
    const ErrorCase cases[] = {
        {"unknown field", {"set", dig, "colour=red"}, 2},
        {"bad number", {"set", dig, "squelchLevel=x"}, 2},
        {"signed number", {"set", dig, "squelchLevel=-1"}, 2},
        {"above the field's range", {"set", dig, "squelchLevel=10"}, 2},
        {"voice above 2", {"set", dig, "voiceAnnunciation=3"}, 2},
        {"channel above 16", {"set", dig, "--channel", "17", "rxFreq=430"}, 2},
        {"channel 0", {"set", dig, "--channel", "0", "rxFreq=430"}, 2},
        {"channel without number", {"set", dig, "--channel"}, 2},
        {"channel field without channel", {"set", dig, "rxFreq=430"}, 2},
        {"option not 0 or 1", {"set", dig, "--channel", "1", "option5=2"}, 2},
        {"transmit of an empty channel", {"set", dig, "--channel", "2", "txFreq=430"}, 2},
        {"option of an empty channel", {"set", dig, "--channel", "2", "highPower=0"}, 2},
        {"priority on an empty channel", {"set", dig, "priorityChannel=2"}, 2},
        {"bad code character", {"set", dig, "txEndCode=12E"}, 2},
        {"password too long", {"set", dig, "readPassword=1234567"}, 2},
        {"not FIELD=VALUE", {"set", dig, "squelchLevel"}, 2},
        {"nothing to set", {"set", dig}, 2},
        {"only a channel", {"set", dig, "--channel", "1"}, 2},
        {"tone of an empty channel", {"set", dig, "--channel", "2", "rxTone=88.5"}, 2},
        {"a late error undoes earlier fields", {"set", dig, "squelchLevel=1", "--channel", "1", "rxFreq=", "beep=2"}, 2},
        {"unknown command", {"frobnicate", dig}, 2},
        {"model without entry", {"new", "--model", "5", "-o", dig}, 2},
        {"model out of range", {"new", "--model", "16", "-o", dig}, 2},
        {"new without output", {"new"}, 2},
        {"show with two files", {"show", dig, dig}, 2},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Result result = Run(c.args);
        EXPECT_EQ(result.code, c.code);
        EXPECT_TRUE(result.err.starts_with("velmar-cli: ")) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(TempDir::ReadFile(dig), before);
    }
}

TEST_F(CliTest, UnreadableAndForeignFilesFail)
{
    TempDir::WriteFile(dir.file("foreign.dig"), std::string(4144, 'x'));
    const std::string foreign = TempDir::ReadFile(dir.file("foreign.dig"));
    const std::vector<std::string> cases[] = {
        {"show", dir.file("missing.dig")},
        {"set", dir.file("missing.dig"), "beep=1"},
        {"show", dir.file("foreign.dig")},
        {"set", dir.file("foreign.dig"), "beep=1"},
        {"new", "-o", dir.file("no-such-folder/new.dig")},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args[1]);
        const Result result = Run(args);
        EXPECT_EQ(result.code, 1);
        EXPECT_TRUE(result.err.starts_with("velmar-cli: ")) << result.err;
    }
    EXPECT_EQ(TempDir::ReadFile(dir.file("foreign.dig")), foreign);
    EXPECT_FALSE(std::ifstream(dir.file("missing.dig")).good());
}

TEST_F(CliTest, MissingSettingsFileFails)
{
    TempDir other;
    const Result result = Run({"new", "-o", dig}, false, "VELMAR_HOME=" + ShellQuote(other.path()));
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.err.find("setting.ini"), std::string::npos);
}

TEST_F(CliTest, DefaultSettingsAndLanguageFromTheProgramFolder)
{
    // VELMAR_HOME stands in for the program's folder; [setup] language picks the file.
    WriteSettings("custom");
    TempDir::WriteFile(dir.file("custom.lang"), "[String]\nIDS_OFF=Aus\n");
    const std::string env = "VELMAR_HOME=" + ShellQuote(dir.path());
    ASSERT_EQ(Run({"new", "-o", dig}, false, env).code, 0);
    const Result result = Run({"show", dig}, false, env);
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_NE(result.out.find("priorityChannel: 0 (Aus)\n"), std::string::npos) << result.out;
}

TEST_F(CliTest, HelpListsCommandsAndExitCodes)
{
    const Result result = Run({"--help"});
    EXPECT_EQ(result.code, 0);
    for (const char* text : {"new [--model N] -o FILE.dig", "show FILE.dig", "set FILE.dig", "exit codes"})
        EXPECT_NE(result.out.find(text), std::string::npos) << text;
    EXPECT_EQ(Run({}).code, 2);
}

TEST_F(CliTest, FileWrittenByTheCliLoadsInTheDocument)
{
    New();
    ASSERT_EQ(Run({"set", dig, "--channel", "16", "rxFreq=462.5625", "rxTone=d754i"}).code, 0);
    SetSettingsFile(dir.file("setting.ini"));
    SetLanguageFile(dir.file("english.lang"));
    CVelmarDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dig));
    EXPECT_EQ(doc.GetLastLoadResult(), CVelmarDoc::LoadResult::Ok);
    EXPECT_EQ(doc.GetFreqText(16, false), "462.56250");
    EXPECT_EQ(doc.GetToneText(16, false), "D754I");
}

} // namespace
