// Fault injection end to end: the virtual radio falls silent, pulls the cable
// or sends garbage at each phase of a read, a write, the test mode's full read
// and its write-all. Every run must end within the protocol's time-outs (a
// hang fails the test instead of blocking it) with the outcome its phase
// gives, and a read must write nothing outside the image range it owns.

#include "hardening/child_process.h"
#include "model/velmar_doc.h"
#include "radio/clone_protocol.h"
#include "radio/serial_link.h"
#include "radio/test_mode_radio.h"
#include "radio/transfer_job.h"
#include "radio/transfer_worker.h"
#include "support/radio_settings.h"
#include "support/radio_sim_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <future>
#include <set>
#include <string>
#include <vector>

namespace {

// Far beyond the longest fault path (ten handshake tries, three block
// attempts), so only a hang reaches it.
constexpr auto kHangLimit = std::chrono::seconds(60);

enum class Procedure { Read, Write, FullRead, WriteAll };

// Bytes the PC sends before each phase. A read: handshake 8, identification
// request 1, its acknowledge 1, password query 1, its acknowledge 1, then per
// block a 4-byte request and a 1-byte acknowledge. A write: handshake,
// identification and acknowledge, then 12 bytes per block.
constexpr long kReadBlock0 = 12;
constexpr long ReadBlock(int k) { return kReadBlock0 + 5L * k; }
constexpr long kWriteBlock0 = 10;
constexpr long WriteBlock(int k) { return kWriteBlock0 + 12L * k; }

struct FaultCase {
    const char* name;
    Procedure procedure;
    std::vector<std::string> radioOptions;
    // TransferStatus for Read/Write, TestModeOutcome for the test mode.
    std::set<int> outcomes;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FaultCase& c, std::ostream* out)
{
    *out << c.name;
}

int Outcome(TestModeOutcome outcome)
{
    return static_cast<int>(outcome);
}

std::string Arg(long n)
{
    return std::to_string(n);
}

class RadioFaultTest : public ::testing::TestWithParam<FaultCase> {
protected:
    RadioFaultTest()
    {
        WriteRadioSettings(ini,
            { { "com", "1" }, { "searchcom", "0" }, { "communication", "VLMPROG" }, { "password", "1" } }, {},
            { { 1, link } }, dir.path());
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<unsigned char>(i * 7 + 3);
        // The password a fresh radio holds, so a read gets past the comparison.
        std::fill_n(image.begin() + CloneProtocol::kPasswordOffset, 6, 0xFF);
        original = image;
        port.SetSettingsPath(ini);
    }

    // Runs the procedure on its own thread; -1 when it did not end in time.
    int Run(Procedure procedure)
    {
        auto run = std::async(std::launch::async, [&] {
            switch (procedure) {
            case Procedure::Read:
            case Procedure::Write: {
                job.port = &port;
                job.settingsPath = ini;
                job.isRead = procedure == Procedure::Read;
                job.image = image.data();
                TransferWorker(&job);
                return job.status.load();
            }
            case Procedure::FullRead:
                return Outcome(TestModeRadio(port, ini, image.data()).FullRead());
            case Procedure::WriteAll:
                return Outcome(TestModeRadio(port, ini, image.data()).WriteAll());
            }
            return -1;
        });
        if (run.wait_for(kHangLimit) != std::future_status::ready) {
            ADD_FAILURE() << "the procedure did not end";
            // Let the worker wind down before the objects it uses go away.
            job.cancel = 1;
            run.wait();
            return -1;
        }
        return run.get();
    }

    TempDir dir;
    std::string ini = dir.file("setting.ini");
    std::string link = dir.file("radio");
    std::array<unsigned char, 4096> image {};
    std::array<unsigned char, 4096> original {};
    SerialLink port;
    TransferJob job;
};

TEST_P(RadioFaultTest, EndsWithThePhasesOutcomeAndTouchesOnlyItsRange)
{
    const FaultCase& c = GetParam();
    RadioSimProcess radio(link, c.radioOptions);
    ASSERT_TRUE(radio.Started());
    const int outcome = Run(c.procedure);
    RecordProperty("outcome", outcome);
    EXPECT_TRUE(c.outcomes.count(outcome)) << "outcome " << outcome;

    std::size_t owned = 0;
    if (c.procedure == Procedure::Read)
        owned = CloneProtocol::kTransferBlocks * CloneProtocol::kBlockSize;
    else if (c.procedure == Procedure::FullRead)
        owned = CloneProtocol::kTestModeBlocks * CloneProtocol::kBlockSize;
    EXPECT_TRUE(std::equal(image.begin() + static_cast<std::ptrdiff_t>(owned), image.end(),
        original.begin() + static_cast<std::ptrdiff_t>(owned)));
    if (c.procedure == Procedure::Write || c.procedure == Procedure::WriteAll) {
        EXPECT_EQ(image, original) << "a write never changes what it sends";
    }
    if (std::find(c.radioOptions.begin(), c.radioOptions.end(), "--hangup-after") != c.radioOptions.end()) {
        EXPECT_TRUE(port.IsGone());
    }
}

std::string CaseName(const ::testing::TestParamInfo<FaultCase>& info)
{
    return info.param.name;
}

const int kPortError = Outcome(TestModeOutcome::PortError);
const int kReadFailed = Outcome(TestModeOutcome::ReadFailed);
const int kWriteFailed = Outcome(TestModeOutcome::WriteFailed);
const int kOk = Outcome(TestModeOutcome::Ok);

// The radio answers everything up to a phase, then nothing (the line stays up).
INSTANTIATE_TEST_SUITE_P(SilentAtEachStep, RadioFaultTest,
    ::testing::Values(
        FaultCase { "ReadHandshake", Procedure::Read, { "--silent-after", "0" }, { PortError } },
        FaultCase { "ReadIdentification", Procedure::Read, { "--silent-after", "8" }, { PortError } },
        FaultCase { "ReadPassword", Procedure::Read, { "--silent-after", "10" }, { ReadFailed } },
        FaultCase { "ReadFirstBlock", Procedure::Read, { "--silent-after", Arg(ReadBlock(0)) }, { ReadFailed } },
        FaultCase { "ReadMiddleBlock", Procedure::Read, { "--silent-after", Arg(ReadBlock(63)) }, { ReadFailed } },
        FaultCase { "ReadLastBlock", Procedure::Read, { "--silent-after", Arg(ReadBlock(125)) }, { ReadFailed } },
        // Only the last acknowledge's echo goes missing, which the PC never needs.
        FaultCase { "ReadLastEcho", Procedure::Read, { "--silent-after", Arg(ReadBlock(125) + 4) }, { ReadDone } },
        FaultCase { "WriteHandshake", Procedure::Write, { "--silent-after", "0" }, { PortError } },
        FaultCase { "WriteIdentification", Procedure::Write, { "--silent-after", "8" }, { PortError } },
        FaultCase { "WriteFirstBlock", Procedure::Write, { "--silent-after", Arg(WriteBlock(0)) }, { WriteFailed } },
        FaultCase { "WriteMiddleBlock", Procedure::Write, { "--silent-after", Arg(WriteBlock(63)) }, { WriteFailed } },
        FaultCase { "WriteLastBlock", Procedure::Write, { "--silent-after", Arg(WriteBlock(125)) }, { WriteFailed } },
        FaultCase { "FullReadHandshake", Procedure::FullRead, { "--silent-after", "0" }, { kPortError } },
        FaultCase { "FullReadIdentification", Procedure::FullRead, { "--silent-after", "8" }, { kPortError } },
        FaultCase { "FullReadPassword", Procedure::FullRead, { "--silent-after", "10" }, { kReadFailed } },
        FaultCase { "FullReadFirstBlock", Procedure::FullRead, { "--silent-after", Arg(ReadBlock(0)) }, { kReadFailed } },
        FaultCase { "FullReadLastBlock", Procedure::FullRead, { "--silent-after", Arg(ReadBlock(127)) }, { kReadFailed } },
        FaultCase { "WriteAllHandshake", Procedure::WriteAll, { "--silent-after", "0" }, { kPortError } },
        FaultCase { "WriteAllFirstBlock", Procedure::WriteAll, { "--silent-after", Arg(WriteBlock(0)) }, { kWriteFailed } },
        FaultCase { "WriteAllLastBlock", Procedure::WriteAll, { "--silent-after", Arg(WriteBlock(127)) }, { kWriteFailed } }),
    CaseName);

// The cable is pulled inside each phase. Inside a frame the radio never
// answers it; right after a one-byte frame its reply may or may not get out.
INSTANTIATE_TEST_SUITE_P(CablePulledInEachPhase, RadioFaultTest,
    ::testing::Values(
        FaultCase { "ReadHandshake", Procedure::Read, { "--hangup-after", "4" }, { PortError } },
        FaultCase { "ReadIdentification", Procedure::Read, { "--hangup-after", "9" }, { PortError, TypeError, ReadFailed } },
        FaultCase { "ReadPassword", Procedure::Read, { "--hangup-after", "11" }, { ReadFailed } },
        FaultCase { "ReadFirstBlock", Procedure::Read, { "--hangup-after", Arg(ReadBlock(0) + 2) }, { ReadFailed } },
        FaultCase { "ReadMiddleBlock", Procedure::Read, { "--hangup-after", Arg(ReadBlock(63) + 2) }, { ReadFailed } },
        FaultCase { "ReadLastBlock", Procedure::Read, { "--hangup-after", Arg(ReadBlock(125) + 2) }, { ReadFailed } },
        FaultCase { "WriteHandshake", Procedure::Write, { "--hangup-after", "4" }, { PortError } },
        FaultCase { "WriteIdentification", Procedure::Write, { "--hangup-after", "9" }, { PortError, TypeError, WriteFailed } },
        FaultCase { "WriteFirstBlock", Procedure::Write, { "--hangup-after", Arg(WriteBlock(0) + 6) }, { WriteFailed } },
        FaultCase { "WriteMiddleBlock", Procedure::Write, { "--hangup-after", Arg(WriteBlock(63) + 6) }, { WriteFailed } },
        FaultCase { "WriteLastBlock", Procedure::Write, { "--hangup-after", Arg(WriteBlock(125) + 6) }, { WriteFailed } },
        FaultCase { "FullReadHandshake", Procedure::FullRead, { "--hangup-after", "4" }, { kPortError } },
        FaultCase { "FullReadPassword", Procedure::FullRead, { "--hangup-after", "11" }, { kReadFailed } },
        FaultCase { "FullReadFirstBlock", Procedure::FullRead, { "--hangup-after", Arg(ReadBlock(0) + 2) }, { kReadFailed } },
        FaultCase { "FullReadLastBlock", Procedure::FullRead, { "--hangup-after", Arg(ReadBlock(127) + 2) }, { kReadFailed } },
        FaultCase { "WriteAllHandshake", Procedure::WriteAll, { "--hangup-after", "4" }, { kPortError } },
        FaultCase { "WriteAllFirstBlock", Procedure::WriteAll, { "--hangup-after", Arg(WriteBlock(0) + 6) }, { kWriteFailed } },
        FaultCase { "WriteAllLastBlock", Procedure::WriteAll, { "--hangup-after", Arg(WriteBlock(127) + 6) }, { kWriteFailed } }),
    CaseName);

// A garbage byte after every reply. The stream of bytes is fixed, so is the
// outcome: a read takes a shifted password reply for a wrong password; a
// write's stray byte costs a block one retry and the write completes; the
// test mode's full read, which never looks at block headers, completes with
// shifted data, and its write-all takes the stray byte for a refusal.
INSTANTIATE_TEST_SUITE_P(GarbageBetweenFrames, RadioFaultTest,
    ::testing::Values(FaultCase { "Read", Procedure::Read, { "--garbage-between" }, { PasswordError } },
        FaultCase { "Write", Procedure::Write, { "--garbage-between" }, { WriteDone } },
        FaultCase { "FullRead", Procedure::FullRead, { "--garbage-between" }, { kOk } },
        FaultCase { "WriteAll", Procedure::WriteAll, { "--garbage-between" }, { kWriteFailed } }),
    CaseName);

// velmar-cli read into the document it started from: a read that fails,
// whatever the phase, says so in one line and leaves the document's file as
// it was, because the image changes hands only after a complete read.
struct CliReadCase {
    const char* name;
    std::vector<std::string> radioOptions;
    int exitCode; // velmar-cli's code for the outcome: 3 no radio, 4 unknown radio, 6 read failed
};

void PrintTo(const CliReadCase& c, std::ostream* out)
{
    *out << c.name;
}

class CliReadFaultTest : public ::testing::TestWithParam<CliReadCase> {
};

TEST_P(CliReadFaultTest, FailedReadLeavesTheDocumentUnchanged)
{
    TempDir dir;
    const std::string ini = dir.file("setting.ini");
    const std::string link = dir.file("radio");
    const std::string file = dir.file("radio.dig");
    WriteRadioSettings(ini,
        { { "com", "1" }, { "searchcom", "0" }, { "communication", "VLMPROG" }, { "password", "0" } }, {},
        { { 1, link } }, dir.path());
    {
        CVelmarDoc doc;
        doc.OnNewDocument();
        doc.SetSquelchLevel(7);
        doc.SetFreqText(1, true, "439.125");
        ASSERT_TRUE(doc.OnSaveDocument(file));
    }
    const std::string before = TempDir::ReadFile(file);

    RadioSimProcess radio(link, GetParam().radioOptions);
    ASSERT_TRUE(radio.Started());
    const CliResult read = RunCli({ "--settings", ini, "read", "--from", file, "-o", file });
    EXPECT_EQ(read.exitCode, GetParam().exitCode) << read.err;
    EXPECT_EQ(read.err.rfind("velmar-cli: ", 0), 0u) << read.err;
    EXPECT_EQ(std::count(read.err.begin(), read.err.end(), '\n'), 1) << read.err;
    EXPECT_EQ(TempDir::ReadFile(file), before);
}

// Without the password query a read sends 10 bytes before its first block.
constexpr long kPlainReadBlock0 = 10;

INSTANTIATE_TEST_SUITE_P(Phases, CliReadFaultTest,
    ::testing::Values(CliReadCase { "SilentRadio", { "--silent" }, 3 },
        CliReadCase { "ShortIdentification", { "--ident-length", "5" }, 4 },
        CliReadCase { "SilentFromTheMiddleBlock", { "--silent-after", Arg(kPlainReadBlock0 + 5 * 63) }, 6 },
        CliReadCase { "CablePulledAtTheLastBlock", { "--hangup-after", Arg(kPlainReadBlock0 + 5 * 125 + 2) }, 6 },
        CliReadCase { "ShortBlock", { "--short-block", "0x200" }, 6 }),
    [](const ::testing::TestParamInfo<CliReadCase>& info) { return std::string(info.param.name); });

} // namespace
