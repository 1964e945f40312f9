// The virtual radio's own promises that the demo and the benchmark rely on:
// its memory file is served and kept, a bad file is refused untouched, and
// pacing and a radio that does not echo acknowledges still speak the protocol.

#include "radio/radio_fixture.h"

#include "radio/clone_protocol.h"
#include "radio/serial_link.h"
#include "radio/test_mode_radio.h"
#include "radio/transfer_job.h"
#include "radio/transfer_worker.h"

#include <array>
#include <chrono>
#include <thread>

namespace {

std::string DataFile(unsigned char seed)
{
    std::string bytes = "Tavro Radio Program data v1.03";
    bytes.resize(48, '\0');
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>(i * 13 + seed);
    return bytes;
}

class VirtualRadioTest : public RadioFixture
{
protected:
    int Transfer(int isRead)
    {
        link.SetSettingsPath(ini);
        TransferJob job;
        job.port = &link;
        job.settingsPath = ini;
        job.isRead = isRead;
        job.image = image.data();
        TransferWorker(&job);
        return job.status;
    }

    std::array<unsigned char, 4096> image {};
    SerialLink link;
};

TEST_F(VirtualRadioTest, ServesItsMemoryFileAndKeepsWhatIsWritten)
{
    const std::string memory = dir.file("memory.dig");
    TempDir::WriteFile(memory, DataFile(1));
    StartRadio({ "--memory", memory, "--dump", memory });
    WriteSettings({ { "password", "0" } });
    ASSERT_EQ(Transfer(1), ReadDone);
    const std::string file = DataFile(1);
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 0x3F0, file.begin() + 48,
        [](unsigned char a, char b) { return a == static_cast<unsigned char>(b); }));

    image[0x20] ^= 0xFF;
    ASSERT_EQ(Transfer(0), WriteDone);
    CloneProtocol(link, ini).SendEndCommand();
    ASSERT_EQ(WaitForPcFrames(0x62, 1), 1);
    // The write session is saved at its end, before the radio stops.
    const auto savedByte = [&memory] {
        const std::string bytes = TempDir::ReadFile(memory);
        return bytes.size() == 4144 ? static_cast<unsigned char>(bytes[48 + 0x20]) : 0;
    };
    for (int i = 0; i < 200 && savedByte() != image[0x20]; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const std::string saved = TempDir::ReadFile(memory);
    ASSERT_EQ(saved.size(), 4144u);
    EXPECT_EQ(saved.substr(0, 48), file.substr(0, 48));
    EXPECT_EQ(static_cast<unsigned char>(saved[48 + 0x20]), image[0x20]);
    EXPECT_EQ(saved.substr(48 + 0x3F0), file.substr(48 + 0x3F0)) << "bytes that never travel stay";
}

TEST_F(VirtualRadioTest, RefusesAFileThatIsNotADataFile)
{
    const std::string memory = dir.file("notes.dig");
    TempDir::WriteFile(memory, "not a data file");
    RadioSimProcess sim({ "--memory", memory, "--dump", memory });
    EXPECT_TRUE(sim.path().empty());
    EXPECT_EQ(sim.Stop(), 2);
    EXPECT_EQ(TempDir::ReadFile(memory), "not a data file");
}

// The calibration exchange of debug mode, on a radio that paces its bytes at
// 9600 baud and on one that never echoes an acknowledge.
class VirtualRadioModeTest : public VirtualRadioTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(VirtualRadioModeTest, SpeaksTheProtocol)
{
    StartRadio({ GetParam() });
    WriteSettings();
    link.SetSettingsPath(ini);
    TestModeRadio procedures(link, ini, image.data());
    ASSERT_EQ(procedures.StartDebugMode(), TestModeOutcome::Ok);
    EXPECT_TRUE(
        std::equal(image.begin() + 0x3F0, image.begin() + 0x3F8, DefaultRadioMemory().begin() + 0x3F0));
    image[0x3F0] = 0x99;
    procedures.SendCalibration();
    procedures.EndDebugMode();
    ASSERT_EQ(WaitForPcFrames(0x62, 1), 1);
    const std::vector<unsigned char> memory = StopAndReadMemory();
    ASSERT_EQ(memory.size(), 4096u);
    EXPECT_EQ(memory[0x3F0], 0x99);
}

INSTANTIATE_TEST_SUITE_P(Modes, VirtualRadioModeTest, ::testing::Values("--pace", "--no-ack-echo"),
    [](const ::testing::TestParamInfo<const char*>& info) {
        return std::string(info.param).substr(2) == "pace" ? std::string("Paced") : std::string("NoAckEcho");
    });

} // namespace
