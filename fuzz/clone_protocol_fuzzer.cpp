// The PC side of the clone protocol against a radio that answers every frame
// with bytes the fuzzer chooses, on a real pseudo-terminal. The protocol's
// waits are fixed (50-500 ms, 100 ms settling after each connect), so to keep
// inputs fast the radio pulls the cable when the input runs out, after three
// silent replies, or when the PC has sent nothing for its patience (25 ms, or
// 600 ms so that retries after a time-out are reached too). Checked: every run
// ends with an outcome, and a read writes only into the image range it owns.
// Input: one byte choosing the procedure (low four bits; 6-15 all take the
// block-level path) and the patience (long when both high bits are set), then the radio's replies, each one length byte (low five bits;
// 0 = say nothing) and that many bytes.

#include "fuzz_input.h"
#include "fuzz_scratch.h"
#include "platform/profile.h"
#include "radio/clone_protocol.h"
#include "radio/serial_link.h"
#include "radio/test_mode_radio.h"
#include "radio/transfer_job.h"
#include "radio/transfer_worker.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSilentRepliesBeforeHangup = 3;
constexpr int kShortPatienceMs = 25;
constexpr int kLongPatienceMs = 600;

// VELMAR_FUZZ_VERBOSE=1 prints each run's outcome, to see how deep a seed gets.
void Trace(const char* what, int outcome)
{
    static const bool verbose = std::getenv("VELMAR_FUZZ_VERBOSE") != nullptr;
    if (verbose)
        std::fprintf(stderr, "%s: outcome %d\n", what, outcome);
}

// The settings both procedures read: COM1 is a symlink that each input points
// at a new pseudo-terminal; the search is off so nothing else is ever opened.
struct FuzzSettings {
    std::string link = FuzzScratchFile("radio");
    std::string withPassword = FuzzScratchFile("password.ini");
    std::string withoutPassword = FuzzScratchFile("plain.ini");

    FuzzSettings()
    {
        for (const std::string* file : { &withPassword, &withoutPassword }) {
            WritePrivateProfileString("setup", "com", "1", *file);
            WritePrivateProfileString("setup", "searchcom", "0", *file);
            WritePrivateProfileString("setup", "communication", "VLMPROG", *file);
            WritePrivateProfileString("ports", "COM1", link, *file);
        }
        WritePrivateProfileString("setup", "password", "1", withPassword);
        WritePrivateProfileString("setup", "password", "0", withoutPassword);
    }
};

// The radio's end of one pseudo-terminal, answering on its own thread.
class ScriptedRadio {
public:
    ScriptedRadio(const std::string& link, FuzzInput& replies, int patienceMs, std::atomic<int>* cancelOnHangup)
        : m_replies(replies)
        , m_patienceMs(patienceMs)
        , m_cancelOnHangup(cancelOnHangup)
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        FUZZ_CHECK(m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0);
        char name[128];
        FUZZ_CHECK(ptsname_r(m_master, name, sizeof name) == 0);
        // Holding our own slave open keeps the master from reporting a hang-up
        // before the PC side has opened the port.
        m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
        FUZZ_CHECK(m_slave >= 0);
        termios raw {};
        FUZZ_CHECK(tcgetattr(m_slave, &raw) == 0);
        cfmakeraw(&raw);
        FUZZ_CHECK(tcsetattr(m_slave, TCSANOW, &raw) == 0);
        ::unlink(link.c_str());
        FUZZ_CHECK(::symlink(name, link.c_str()) == 0);
        m_thread = std::thread([this] { Run(); });
    }

    ~ScriptedRadio()
    {
        m_stop = true;
        m_thread.join();
        if (m_master >= 0)
            ::close(m_master);
        ::close(m_slave);
    }

    ScriptedRadio(const ScriptedRadio&) = delete;
    ScriptedRadio& operator=(const ScriptedRadio&) = delete;

private:
    void Run()
    {
        int silent = 0;
        // The patience runs from the first frame on: before it the PC may
        // still be settling after opening the port.
        int idleMs = -1;
        while (!m_stop && m_master >= 0) {
            pollfd fd { m_master, POLLIN, 0 };
            if (::poll(&fd, 1, 5) <= 0 || !(fd.revents & POLLIN)) {
                // With nothing left to say, there is no point in waiting long.
                const int patience = m_replies.Empty() ? 5 : m_patienceMs;
                if (idleMs >= 0 && (idleMs += 5) >= patience)
                    HangUp();
                continue;
            }
            unsigned char frame[256];
            if (::read(m_master, frame, sizeof frame) <= 0)
                continue;
            idleMs = 0;
            if (m_replies.Empty() || silent >= kSilentRepliesBeforeHangup) {
                HangUp();
                break;
            }
            const std::size_t length = m_replies.Byte() & 0x1F;
            const std::string_view reply = m_replies.Bytes(length);
            if (reply.empty()) {
                ++silent;
                continue;
            }
            // The master never blocks for a few dozen bytes.
            [[maybe_unused]] const ssize_t written = ::write(m_master, reply.data(), reply.size());
        }
    }

    void HangUp()
    {
        ::close(m_master);
        m_master = -1;
        if (m_cancelOnHangup)
            *m_cancelOnHangup = 1;
    }

    FuzzInput& m_replies;
    int m_patienceMs;
    std::atomic<int>* m_cancelOnHangup;
    int m_master = -1;
    int m_slave = -1;
    std::atomic<bool> m_stop { false };
    std::thread m_thread;
};

using Image = std::array<unsigned char, 4096>;

Image Canary()
{
    Image image;
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<unsigned char>(i * 7 + 3);
    return image;
}

// Bytes outside [begin, end) are as they were.
bool UnchangedOutside(const Image& before, const Image& after, std::size_t begin, std::size_t end)
{
    return std::equal(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(begin), after.begin())
        && std::equal(before.begin() + static_cast<std::ptrdiff_t>(end), before.end(),
            after.begin() + static_cast<std::ptrdiff_t>(end));
}

void RunTransfer(const std::string& settings, bool read, FuzzInput& replies, const std::string& link, int patienceMs)
{
    SerialLink port;
    port.SetSettingsPath(settings);
    const Image before = Canary();
    Image image = before;
    TransferJob job;
    job.port = &port;
    job.settingsPath = settings;
    job.isRead = read ? 1 : 0;
    job.image = image.data();
    {
        // A write that the radio acknowledged to the end would wait out its
        // settling second; the hang-up cancels it instead.
        ScriptedRadio radio(link, replies, patienceMs, read ? nullptr : &job.cancel);
        TransferWorker(&job);
    }
    Trace(read ? "read" : "write", job.status);
    FUZZ_CHECK(IsFinalTransferStatus(job.status) || job.cancel);
    const std::size_t cloned = CloneProtocol::kTransferBlocks * CloneProtocol::kBlockSize;
    FUZZ_CHECK(UnchangedOutside(before, image, 0, read ? cloned : 0));
    FUZZ_CHECK(job.progress >= 0 && job.progress <= 100);
}

void RunTestMode(const std::string& settings, int procedure, FuzzInput& replies, const std::string& link, int patienceMs)
{
    SerialLink port;
    port.SetSettingsPath(settings);
    const Image before = Canary();
    Image image = before;
    TestModeRadio radio(port, settings, image.data());
    {
        ScriptedRadio scripted(link, replies, patienceMs, nullptr);
        switch (procedure) {
        case 0:
            Trace("full read", static_cast<int>(radio.FullRead()));
            break;
        case 1:
            if (radio.StartDebugMode() == TestModeOutcome::Ok)
                radio.SendCalibration();
            radio.EndDebugMode();
            break;
        default:
            Trace("debug mode", static_cast<int>(radio.StartDebugMode()));
            Trace("write all", static_cast<int>(radio.WriteAll()));
            break;
        }
    }
    const std::size_t end = procedure == 0 ? CloneProtocol::kTestModeBlocks * CloneProtocol::kBlockSize
                                           : CloneProtocol::kCalibrationOffset + CloneProtocol::kBlockSize;
    FUZZ_CHECK(UnchangedOutside(before, image, procedure == 0 ? 0 : CloneProtocol::kCalibrationOffset, end));
}

// Block-level exchanges on an open port, without the connect sequence's
// fixed settling pause: the fast path for the reply handling.
void RunFrames(const std::string& settings, FuzzInput& replies, const std::string& link, int patienceMs)
{
    const Image before = Canary();
    Image image = before;
    SerialLink port;
    port.SetSettingsPath(settings);
    ScriptedRadio radio(link, replies, patienceMs, nullptr);
    FUZZ_CHECK(port.Open(1, 9600) == 1);
    CloneProtocol protocol(port, settings);
    unsigned char password[6];
    protocol.QueryPassword(password);
    const int addresses[] = { 0, 0x3E0, 0x3E8 };
    for (const int address : addresses) {
        protocol.ReadBlock(address, image.data());
        FUZZ_CHECK(UnchangedOutside(before, image, 0, 0x3F0));
    }
    FUZZ_CHECK(std::equal(image.begin() + 8, image.begin() + 0x3E0, before.begin() + 8));
    protocol.WriteBlock(8, image.data());
    protocol.SendCalibration(image.data());
    protocol.Acknowledge();
    protocol.SendEndCommand();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzSettings settings;
    FuzzInput input(data, size);
    const std::uint8_t choice = input.Byte();
    // Most inputs take the fast path without the connect sequence's pause.
    const int procedure = choice & 0x0F;
    const int patience = (choice & 0xC0) == 0xC0 ? kLongPatienceMs : kShortPatienceMs;
    switch (procedure) {
    case 0:
        RunTransfer(settings.withPassword, true, input, settings.link, patience);
        break;
    case 1:
        RunTransfer(settings.withoutPassword, true, input, settings.link, patience);
        break;
    case 2:
        RunTransfer(settings.withoutPassword, false, input, settings.link, patience);
        break;
    case 3:
    case 4:
    case 5:
        RunTestMode(settings.withoutPassword, procedure - 3, input, settings.link, patience);
        break;
    default:
        RunFrames(settings.withoutPassword, input, settings.link, patience);
        break;
    }
    return 0;
}
