// velmar-cli export, import, diff and verify, run as a program; verify reads
// the virtual radio.

#include "radio/radio_fixture.h"
#include "support/cli_runner.h"

namespace {

using CliResult = CliRun;

class CliBeyondTest : public RadioFixture
{
protected:
    void SetUp() override
    {
        // The radio tests' settings, plus the channel rows and a language file.
        WriteSettings({ { "channel", "16" }, { "language", "english" } });
        TempDir::WriteFile(dir.file("english.lang"), "[String]\nIDS_OFF=Off\n");
        ASSERT_EQ(Cli({ "new", "-o", a }).code, 0);
        ASSERT_EQ(Cli({ "set", a, "--channel", "1", "rxFreq=439.125", "rxTone=88.5", "--channel", "2",
                          "rxFreq=440", "txFreq=445.5", "txTone=D023N", "highPower=0", "squelchLevel=7" })
                      .code,
            0);
    }

    CliResult Cli(const std::vector<std::string>& args) { return RunVelmarCli(ini, args, dir.path()); }

    std::string a = dir.file("a.dig");
    std::string b = dir.file("b.dig");
    std::string csv = dir.file("channels.csv");
};

TEST_F(CliBeyondTest, ExportImportRoundTripAndDiff)
{
    ASSERT_EQ(Cli({ "export", a, "-o", csv }).code, 0);
    ASSERT_EQ(Cli({ "new", "-o", b }).code, 0);
    const CliResult differ = Cli({ "diff", a, b });
    EXPECT_EQ(differ.code, 1);
    EXPECT_NE(differ.out.find("channel 2 transmit tone: " + a + " D023N, " + b + " "), std::string::npos)
        << differ.out;
    EXPECT_NE(differ.out.find("squelchLevel: " + a + " 7, " + b + " 3"), std::string::npos) << differ.out;

    const CliResult imported = Cli({ "import", csv, b });
    ASSERT_EQ(imported.code, 0) << imported.err;
    const CliResult after = Cli({ "diff", a, b });
    EXPECT_EQ(after.code, 1);
    EXPECT_EQ(after.out, "squelchLevel: " + a + " 7, " + b + " 3\n") << "only the setting is left";

    EXPECT_EQ(Cli({ "diff", a, a }).code, 0);
    EXPECT_EQ(Cli({ "diff", a }).code, 2);
    EXPECT_EQ(Cli({ "diff", a, dir.file("missing.dig") }).code, 2);
}

TEST_F(CliBeyondTest, ImportPrintsAdjustmentsDryRunSavesNothingAndABadFileChangesNothing)
{
    const std::string before = TempDir::ReadFile(a);
    TempDir::WriteFile(csv, "channel;rxFreq\r\n3;439,12375\r\n4;600\r\n");
    const CliResult dry = Cli({ "import", csv, a, "--dry-run" });
    EXPECT_EQ(dry.code, 0) << dry.err;
    EXPECT_EQ(dry.out,
        "line 2, channel 3: rxFreq 439,12375 stored as 439.12500 (channel raster)\n"
        "line 3, channel 4: rxFreq 600 is above the band, stored as 520.00000\n"
        "dry run: "
            + a + " would change; nothing was saved\n");
    EXPECT_EQ(TempDir::ReadFile(a), before);

    TempDir::WriteFile(csv, "channel,rxFreq\n3,439.125\n4,high\n");
    const CliResult bad = Cli({ "import", csv, a });
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err,
        "velmar-cli: " + csv
            + " line 3: rxFreq \"high\" is not a frequency in MHz such as 145.50000; nothing was imported\n");
    EXPECT_EQ(TempDir::ReadFile(a), before);

    EXPECT_EQ(Cli({ "import", csv }).code, 2);
    EXPECT_EQ(Cli({ "export", a }).code, 2);
}

TEST_F(CliBeyondTest, VerifyNamesTheFieldsOfABlockAlteredInTheRadio)
{
    // The radio holds the file except for one block: channel 2's first eight
    // bytes (its two frequencies).
    std::string altered = TempDir::ReadFile(a);
    altered[48 + 0x20 + 1] = 0x55; // receive frequency 440.00000 -> 440.05500
    altered[48 + 0x20 + 6] = 0x60; // transmit frequency 445.50000 -> 446.00000
    TempDir::WriteFile(b, altered);
    StartRadio({ "--memory", b });
    WriteSettings({ { "channel", "16" }, { "language", "english" } });

    const CliResult differs = Cli({ "verify", a });
    EXPECT_EQ(differs.code, 9) << differs.err;
    EXPECT_EQ(differs.out,
        "channel 2 receive frequency: file 440.00000, radio 440.05500\n"
        "channel 2 transmit frequency: file 445.50000, radio 446.00000\n"
        "the radio differs from "
            + a + " in 2 field(s)\n");
    EXPECT_EQ(CountPcFrames(0x57), 0) << "verify never writes to the radio";

    const CliResult same = Cli({ "verify", b });
    EXPECT_EQ(same.code, 0) << same.err;
    EXPECT_EQ(same.out, "the radio holds " + b + "\n");
}

TEST_F(CliBeyondTest, VerifyWithoutARadioSaysSo)
{
    WriteSettings({ { "channel", "16" } }, {});
    const CliResult r = Cli({ "verify", a });
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.err.find("no radio answered on COM1"), std::string::npos) << r.err;
}

} // namespace
