// End-to-end transfers against the virtual radio on a real pseudo-terminal.

#include "radio/radio_fixture.h"

#include "platform/profile.h"
#include "radio/clone_protocol.h"
#include "radio/serial_link.h"
#include "radio/transfer_job.h"
#include "radio/transfer_worker.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

constexpr int kCloned = 0x3F0;

struct Sample
{
    int status, progress, foundPort;
};

class TransferTest : public RadioFixture
{
protected:
    TransferTest()
    {
        // A pattern that no radio memory holds, so every byte a transfer
        // touches or leaves alone can be told apart.
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<unsigned char>(i * 7 + 3);
        std::fill_n(image.begin() + CloneProtocol::kPasswordOffset, 6, 0xFF);
        original = image;
    }

    // Runs the worker to its end on its own thread, sampling the job's
    // fields the way a dialog would; cancelWhen, when given, decides from a
    // sample whether to set cancel.
    void Run(int isRead, const std::function<bool(const Sample&)>& cancelWhen = {})
    {
        link.SetSettingsPath(ini);
        job.port = &link;
        job.settingsPath = ini;
        job.isRead = isRead;
        job.image = image.data();
        std::atomic<bool> done { false };
        std::thread worker([&] {
            TransferWorker(&job);
            done = true;
        });
        while (!done) {
            const Sample s { job.status, job.progress, job.foundPort };
            if (samples.empty() || s.status != samples.back().status || s.progress != samples.back().progress
                || s.foundPort != samples.back().foundPort)
                samples.push_back(s);
            if (cancelWhen && !job.cancel && cancelWhen(s))
                job.cancel = 1;
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        worker.join();
    }

    std::array<unsigned char, 4096> image {};
    std::array<unsigned char, 4096> original {};
    SerialLink link;
    TransferJob job;
    std::vector<Sample> samples;
};

TEST(HandshakeFrame, TakesSevenBytesOfTheTextAndPadsWithZeros)
{
    using F = std::array<unsigned char, 8>;
    EXPECT_EQ(CloneProtocol::HandshakeFrame(""), (F { 2, 0, 0, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(CloneProtocol::HandshakeFrame("AB"), (F { 2, 'A', 'B', 0, 0, 0, 0, 0 }));
    EXPECT_EQ(CloneProtocol::HandshakeFrame("VLMPROG+EXTRA"), (F { 2, 'V', 'L', 'M', 'P', 'R', 'O', 'G' }));
}

TEST(ProgressPercent, RoundsDownAndEndsAt100)
{
    EXPECT_EQ(CloneProtocol::ProgressPercent(1), 0);
    EXPECT_EQ(CloneProtocol::ProgressPercent(2), 1);
    EXPECT_EQ(CloneProtocol::ProgressPercent(125), 99);
    EXPECT_EQ(CloneProtocol::ProgressPercent(126), 100);
}

TEST_F(TransferTest, ReadFillsExactlyTheClonedRangeAndReports100)
{
    StartRadio({ "--handshake", "VLMPROG" });
    WriteSettings();
    Run(1);
    EXPECT_EQ(job.status, ReadDone);
    EXPECT_EQ(job.progress, 100);
    const auto& radioMemory = DefaultRadioMemory();
    ASSERT_EQ(radioMemory.size(), 4096u);
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + kCloned, radioMemory.begin()));
    EXPECT_TRUE(std::equal(image.begin() + kCloned, image.end(), original.begin() + kCloned));
    EXPECT_EQ(CountPcFrames(0x52), 126);
    EXPECT_EQ(CountPcFrames(0x05), 1);
    EXPECT_EQ(CountPcFrames(0x62), 0) << "nothing ends a read";
    EXPECT_TRUE(link.IsOpen()) << "the worker leaves the port open";
    // Blocks travel in ascending order.
    int expected = 0;
    for (const LoggedFrame& f : Frames()) {
        if (f.from == "PC" && f.bytes[0] == 0x52) {
            EXPECT_EQ(f.bytes[1] << 8 | f.bytes[2], expected);
            expected += 8;
        }
    }
}

TEST_F(TransferTest, WriteSendsTheClonedRangeAndNothingElse)
{
    StartRadio({});
    WriteSettings();
    Run(0);
    EXPECT_EQ(job.status, WriteDone);
    EXPECT_EQ(job.progress, 100);
    EXPECT_EQ(CountPcFrames(0x05), 0) << "a write sends no password query";
    const std::vector<unsigned char> memory = StopAndReadMemory();
    ASSERT_EQ(memory.size(), 4096u);
    EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + kCloned, image.begin()));
    EXPECT_TRUE(std::equal(memory.begin() + kCloned, memory.end(), DefaultRadioMemory().begin() + kCloned));
}

TEST_F(TransferTest, EmptyHandshakeTextSendsZeros)
{
    StartRadio({ "--handshake", "" });
    WriteSettings({ { "communication", "" } });
    Run(1);
    EXPECT_EQ(job.status, ReadDone);
    const auto frames = Frames();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames[0].bytes, (std::vector<unsigned char> { 2, 0, 0, 0, 0, 0, 0, 0 }));
}

TEST_F(TransferTest, SearchFindsTheRadioOnCom3AndStoresIt)
{
    StartRadio({});
    WriteSettings({ { "searchcom", "1" }, { "com", "1" } }, { { 3, radio->path() } });
    Run(1);
    EXPECT_EQ(job.status, ReadDone);
    EXPECT_EQ(GetPrivateProfileInt("setup", "com", 0, ini), 3);
    EXPECT_EQ(job.foundPort, -1);
    const bool sawCom3 = std::any_of(samples.begin(), samples.end(),
        [](const Sample& s) { return s.status == SearchingPort && s.progress == 3 && s.foundPort == 3; });
    EXPECT_TRUE(sawCom3);
    for (const Sample& s : samples) {
        if (s.status == Reading) {
            EXPECT_EQ(s.foundPort, -1) << "the found port is stored before the first block";
        }
    }
}

TEST_F(TransferTest, PasswordOffSendsNoQueryAndComparesNothing)
{
    StartRadio({ "--password", "Zz9" });
    WriteSettings({ { "password", "0" } });
    Run(1);
    EXPECT_EQ(job.status, ReadDone);
    EXPECT_EQ(CountPcFrames(0x05), 0);
}

TEST_F(TransferTest, MatchingPasswordReads)
{
    StartRadio({ "--password", "Zz9" });
    WriteSettings();
    const unsigned char codes[6] = { 35, 61, 9, 0xFF, 0xFF, 0xFF };
    std::memcpy(image.data() + CloneProtocol::kPasswordOffset, codes, 6);
    Run(1);
    EXPECT_EQ(job.status, ReadDone);
}

TEST_F(TransferTest, GarbledHandshakeAcknowledgesAreRetried)
{
    StartRadio({ "--garbage-acks", "3" });
    WriteSettings();
    Run(1);
    EXPECT_EQ(job.status, ReadDone);
    EXPECT_EQ(CountPcFrames(0x02) - 1, 4) << "four handshakes and one identification request";
}

TEST_F(TransferTest, WrongAddressTwiceThenRightIsStored)
{
    StartRadio({ "--wrong-address", "0x100:2" });
    WriteSettings();
    Run(1);
    EXPECT_EQ(job.status, ReadDone);
    EXPECT_TRUE(
        std::equal(image.begin() + 0x100, image.begin() + 0x108, DefaultRadioMemory().begin() + 0x100));
}

TEST_F(TransferTest, CancelStopsAfterTheBlockInProgress)
{
    StartRadio({});
    WriteSettings();
    Run(1, [](const Sample& s) { return s.status == Reading && s.progress >= 20; });
    EXPECT_EQ(job.status, Reading);
    const int requested = CountPcFrames(0x52);
    EXPECT_LT(requested, 126);
    EXPECT_EQ(job.progress, CloneProtocol::ProgressPercent(requested))
        << "no block after the one in progress";
}

TEST_F(TransferTest, CancelDuringWriteStopsAfterTheBlockInProgress)
{
    StartRadio({});
    WriteSettings();
    Run(0, [](const Sample& s) { return s.status == Writing && s.progress >= 20; });
    EXPECT_EQ(job.status, Writing);
    const int written = CountPcFrames(0x57);
    EXPECT_LT(written, 126);
    EXPECT_EQ(job.progress, CloneProtocol::ProgressPercent(written));
}

// Cancel reaches the worker between handshake tries and between search steps,
// long before the tries or the search could have ended by themselves.
TEST_F(TransferTest, CancelEndsHandshakeTries)
{
    StartRadio({ "--silent" });
    WriteSettings();
    const auto start = std::chrono::steady_clock::now();
    Run(1, [start](const Sample&) {
        return std::chrono::steady_clock::now() - start > std::chrono::milliseconds(200);
    });
    EXPECT_EQ(job.status, Idle);
    EXPECT_LT(CountPcFrames(0x02), 10);
}

TEST_F(TransferTest, CancelEndsThePortSearch)
{
    StartRadio({ "--silent" });
    std::map<int, std::string> everyPortOnTheRadio;
    for (int n = 1; n <= 255; ++n)
        everyPortOnTheRadio[n] = radio->path();
    WriteSettings({ { "searchcom", "1" } }, everyPortOnTheRadio);
    Run(1, [](const Sample& s) { return s.status == SearchingPort && s.progress >= 2; });
    EXPECT_EQ(job.status, SearchingPort);
    EXPECT_EQ(job.foundPort, 2);
    EXPECT_EQ(GetPrivateProfileInt("setup", "com", 0, ini), 1);
    EXPECT_LT(CountPcFrames(0x02), 3 * 10);
}

TEST_F(TransferTest, CablePulledMidReadFailsTheRead)
{
    StartRadio({ "--hangup-after", "200" });
    WriteSettings();
    Run(1);
    EXPECT_EQ(job.status, ReadFailed);
    EXPECT_TRUE(link.IsGone());
    EXPECT_TRUE(radio->WaitExit(5000));
}

TEST_F(TransferTest, CablePulledMidWriteFailsTheWrite)
{
    StartRadio({ "--hangup-after", "600" });
    WriteSettings();
    Run(0);
    EXPECT_EQ(job.status, WriteFailed);
    EXPECT_TRUE(link.IsGone());
    EXPECT_GT(job.progress, 0);
}

// Every row of the failure table, each against a radio that misbehaves in one way.
struct FailureCase
{
    const char* name;
    std::vector<std::string> radioArgs;
    std::map<std::string, std::string> setup;
    bool radioOnCom1;
    int isRead;
    int expected;
    int unchangedBlock; // a block whose image bytes must keep their value, or -1
};

void PrintTo(const FailureCase& c, std::ostream* out)
{
    *out << c.name;
}

class TransferFailureTest : public TransferTest, public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(TransferFailureTest, EndsWithItsStatus)
{
    const FailureCase& c = GetParam();
    StartRadio(c.radioArgs);
    if (c.radioOnCom1)
        WriteSettings(c.setup);
    else
        WriteSettings(c.setup, {});
    Run(c.isRead);
    EXPECT_EQ(job.status, c.expected);
    if (c.unchangedBlock >= 0) {
        EXPECT_TRUE(std::equal(image.begin() + c.unchangedBlock, image.begin() + c.unchangedBlock + 8,
            original.begin() + c.unchangedBlock));
    }
    EXPECT_EQ(GetPrivateProfileInt("setup", "com", 0, ini), 1) << "only a found port is stored";
}

INSTANTIATE_TEST_SUITE_P(FailureTable, TransferFailureTest,
    ::testing::Values(FailureCase { "PortMissingSearchOff", {}, {}, false, 1, PortError, -1 },
        FailureCase { "NoAcknowledgeSearchOff", { "--silent" }, {}, true, 1, PortError, -1 },
        FailureCase { "WrongHandshakeText", { "--handshake", "OTHER" }, {}, true, 0, PortError, -1 },
        FailureCase {
            "SearchReachesPort256", { "--silent" }, { { "searchcom", "1" } }, true, 1, PortError, -1 },
        FailureCase { "SearchWithNoPortAtAll", {}, { { "searchcom", "" } }, false, 1, PortError, -1 },
        FailureCase { "EmptyIdentification", { "--ident-length", "0" }, {}, true, 1, PortError, -1 },
        FailureCase { "ShortIdentification", { "--ident-length", "5" }, {}, true, 1, TypeError, -1 },
        FailureCase { "ShortPasswordReply", { "--password-length", "3" }, {}, true, 1, ReadFailed, -1 },
        FailureCase { "PasswordDiffers", { "--password", "ABC" }, {}, true, 1, PasswordError, -1 },
        FailureCase { "ShortBlockThreeTimes", { "--short-block", "0x100" }, {}, true, 1, ReadFailed, -1 },
        FailureCase {
            "WrongAddressThreeTimesSkips", { "--wrong-address", "0x100" }, {}, true, 1, ReadDone, 0x100 },
        FailureCase {
            "BlockRefusedThreeTimes", { "--refuse-write", "0x100" }, {}, true, 0, WriteFailed, -1 }),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

} // namespace
