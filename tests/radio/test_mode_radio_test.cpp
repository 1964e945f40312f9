// The test mode's radio procedures against the virtual radio.

#include "radio/radio_fixture.h"

#include "radio/clone_protocol.h"
#include "radio/serial_link.h"
#include "radio/test_mode_radio.h"

#include <algorithm>
#include <array>

namespace {

class TestModeTest : public RadioFixture
{
protected:
    void SetUpRadio(std::vector<std::string> args)
    {
        StartRadio(std::move(args));
        WriteSettings();
        link.SetSettingsPath(ini);
    }
    bool Equal(int from, int to, const std::vector<unsigned char>& other) const
    {
        return std::equal(image.begin() + from, image.begin() + to, other.begin() + from);
    }

    std::array<unsigned char, 4096> image {};
    SerialLink link;
    TestModeRadio procedures { link, ini, image.data() };
};

TEST(TestModePassword, MatchesTheFirst19CharactersExactly)
{
    TempDir dir;
    const std::string ini = dir.file("setting.ini");
    TempDir::WriteFile(ini, "[setup]\ntestpw=abcdefghijklmnopqrstuvwxyz\n");
    EXPECT_TRUE(TestModeRadio::PasswordMatches("abcdefghijklmnopqrs", ini));
    EXPECT_FALSE(TestModeRadio::PasswordMatches("abcdefghijklmnopqrstuvwxyz", ini));
    EXPECT_FALSE(TestModeRadio::PasswordMatches("ABCDEFGHIJKLMNOPQRS", ini));
    TempDir::WriteFile(ini, "[setup]\n");
    EXPECT_TRUE(TestModeRadio::PasswordMatches("", ini));
}

TEST_F(TestModeTest, FullReadTakesTheFirstKilobyteWithoutLookingAtHeaders)
{
    SetUpRadio({ "--password", "Q7", "--wrong-address", "0x100" });
    image.fill(0x11);
    EXPECT_EQ(procedures.FullRead(), TestModeOutcome::Ok);
    EXPECT_TRUE(link.IsOpen());
    const auto& memory = DefaultRadioMemory();
    EXPECT_TRUE(Equal(0, 0x3B0, memory));
    EXPECT_TRUE(Equal(0x3B6, 0x400, memory)) << "including the calibration block";
    EXPECT_TRUE(std::all_of(image.begin() + 0x400, image.end(), [](unsigned char b) { return b == 0x11; }));
    EXPECT_EQ(CountPcFrames(0x52), 128);
    EXPECT_EQ(CountPcFrames(0x05), 1);
}

TEST_F(TestModeTest, DebugModeSendsCalibrationLiveAndWriteAllEndsIt)
{
    SetUpRadio({});
    ASSERT_EQ(procedures.FullRead(), TestModeOutcome::Ok);
    EXPECT_EQ(procedures.StartDebugMode(), TestModeOutcome::Ok);
    EXPECT_EQ(procedures.DebugMode(), 1);
    image[0x3F2] = 0x77;
    image[0x3F6] = 2;
    procedures.SendCalibration();
    image[0x010] = 0x42;
    EXPECT_EQ(procedures.WriteAll(), TestModeOutcome::Ok);
    EXPECT_EQ(procedures.DebugMode(), 0);
    EXPECT_FALSE(link.IsOpen());

    // 0x62 ends debug mode before the new handshake of the write-all.
    const auto frames = Frames();
    std::vector<unsigned char> firsts;
    for (const LoggedFrame& f : frames)
        if (f.from == "PC")
            firsts.push_back(f.bytes[0]);
    const auto end = std::find(firsts.begin(), firsts.end(), 0x62);
    ASSERT_NE(end, firsts.end());
    EXPECT_EQ(*(end + 1), 0x02);
    EXPECT_EQ(std::count(firsts.begin(), firsts.end(), 0x67), 2);
    EXPECT_EQ(std::count(firsts.begin(), firsts.end(), 0x57), 128);

    const std::vector<unsigned char> memory = StopAndReadMemory();
    ASSERT_EQ(memory.size(), 4096u);
    EXPECT_TRUE(Equal(0, 0x400, memory));
    EXPECT_EQ(memory[0x3F2], 0x77);
}

TEST_F(TestModeTest, WriteAllStopsAtARefusedBlockWithThePortOpen)
{
    SetUpRadio({ "--refuse-write", "0x200:1" });
    EXPECT_EQ(procedures.WriteAll(), TestModeOutcome::WriteFailed);
    EXPECT_TRUE(link.IsOpen());
    EXPECT_EQ(CountPcFrames(0x57), 0x200 / 8 + 1) << "one attempt per block";
    EXPECT_EQ(CountPcFrames(0x62), 0) << "no end command outside debug mode";
}

TEST_F(TestModeTest, LeavingWithoutDebugModeSendsNothing)
{
    SetUpRadio({});
    ASSERT_EQ(link.Open(1, 9600), 1);
    procedures.EndDebugMode();
    EXPECT_TRUE(link.IsOpen());
    EXPECT_TRUE(Frames().empty());
}

TEST_F(TestModeTest, LeavingDebugModeSendsTheEndCommandAndCloses)
{
    SetUpRadio({});
    ASSERT_EQ(procedures.StartDebugMode(), TestModeOutcome::Ok);
    procedures.EndDebugMode();
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(WaitForPcFrames(0x62, 1), 1);
}

struct ProcedureFailure
{
    const char* name;
    std::vector<std::string> radioArgs;
    TestModeOutcome expected;
};

void PrintTo(const ProcedureFailure& c, std::ostream* out)
{
    *out << c.name;
}

class TestModeFailureTest : public TestModeTest, public ::testing::WithParamInterface<ProcedureFailure>
{
};

TEST_P(TestModeFailureTest, FullReadReportsAndClosesThePort)
{
    SetUpRadio(GetParam().radioArgs);
    EXPECT_EQ(procedures.FullRead(), GetParam().expected);
    EXPECT_FALSE(link.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(Outcomes, TestModeFailureTest,
    ::testing::Values(ProcedureFailure { "Silent", { "--silent" }, TestModeOutcome::PortError },
        ProcedureFailure { "EmptyIdentification", { "--ident-length", "0" }, TestModeOutcome::PortError },
        ProcedureFailure { "ShortIdentification", { "--ident-length", "7" }, TestModeOutcome::TypeError },
        ProcedureFailure { "ShortPassword", { "--password-length", "0" }, TestModeOutcome::ReadFailed },
        ProcedureFailure { "ShortBlock", { "--short-block", "0x3F8" }, TestModeOutcome::ReadFailed },
        ProcedureFailure { "CablePulled", { "--hangup-after", "100" }, TestModeOutcome::ReadFailed }),
    [](const ::testing::TestParamInfo<ProcedureFailure>& info) { return std::string(info.param.name); });

} // namespace
