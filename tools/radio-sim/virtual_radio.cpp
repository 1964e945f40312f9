#include "virtual_radio.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr char kSignature[] = "Tavro Radio Program data v1.03";
constexpr std::size_t kSignatureCompare = 24;
constexpr std::size_t kHeaderSize = 48;
constexpr std::size_t kImageSize = 4096;

// Ten bits (start, eight data, stop) at 9600 baud.
constexpr auto kByteTime = std::chrono::nanoseconds(1'041'667);

constexpr unsigned char kAck = 0x06;
constexpr unsigned char kNak = 0x15;
constexpr unsigned char kGarbage = 0x3F;
constexpr unsigned char kIdentification[8] = { 'V', 'L', 'M', '-', 'R', '1', '6', 0x01 };

void PutBcdFrequency(unsigned char* at, long tensOfHz)
{
    for (int i = 0; i < 4; ++i) {
        const int low = static_cast<int>(tensOfHz % 10);
        tensOfHz /= 10;
        const int high = static_cast<int>(tensOfHz % 10);
        tensOfHz /= 10;
        at[i] = static_cast<unsigned char>(high << 4 | low);
    }
}

// A radio fresh from the factory with a few channels programmed.
void FillDefaultMemory(std::array<unsigned char, 4096>& memory)
{
    memory.fill(0xFF);
    struct Channel
    {
        long rx, tx;
        unsigned char rxTone[2], txTone[2];
    };
    const Channel channels[] = {
        { 44600625, 44600625, { 0xFF, 0xFF }, { 0xFF, 0xFF } },
        { 43350000, 43350000, { 0x85, 0x08 }, { 0x85, 0x08 } },
        { 46256250, 46756250, { 0x23, 0x80 }, { 0x23, 0x80 } },
        { 41000000, 41000000, { 0xFF, 0xFF }, { 0x50, 0x12 } },
    };
    for (int n = 1; n <= 16; ++n) {
        unsigned char* record = memory.data() + 16 * n;
        if (n <= 4) {
            const Channel& c = channels[n - 1];
            PutBcdFrequency(record, c.rx);
            PutBcdFrequency(record + 4, c.tx);
            std::memcpy(record + 8, c.rxTone, 2);
            std::memcpy(record + 10, c.txTone, 2);
        }
        record[12] = 0xEB;
    }
    memory[0x3C0] = 0x86; // battery save on, voice annunciation 1
    memory[0x3C1] = 3; // squelch
    memory[0x3C2] = 0;
    memory[0x3C3] = 6; // 180 s transmit limit
    memory[0x3C4] = 5;
    memory[0x3C5] = 0;
    memory[0x3C6] = 0xFF; // no priority channel
    memory[0x3C7] = 0;
    memory[0x3C8] = 0;
    memory[0x3C9] = 0;
    const unsigned char tag[] = { 0x47, 0x48, 0xFF, 0x4E, 0x33, 0x36, 0x32 };
    std::memcpy(memory.data() + 0x3D0, tag, sizeof tag);
    const unsigned char model[] = { 0x00, 0x40, 0x00, 0x52 };
    std::memcpy(memory.data() + 0x3D8, model, sizeof model);
    const unsigned char calibration[] = { 0x50, 0x58, 0x60, 0xA0, 0xA8, 0xB0, 0x00 };
    std::memcpy(memory.data() + 0x3F0, calibration, sizeof calibration);
}

unsigned char PasswordCode(char c, bool& ok)
{
    ok = true;
    if (c >= '0' && c <= '9')
        return static_cast<unsigned char>(c - '0');
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c - 'A' + 10);
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 'a' + 36);
    ok = false;
    return 0xFF;
}

bool WriteAll(int fd, const unsigned char* bytes, std::size_t n)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, bytes, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        bytes += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

} // namespace

VirtualRadio::VirtualRadio(SimOptions options)
    : m_options(std::move(options))
    , m_garbageLeft(m_options.garbageAcks)
{
}

VirtualRadio::~VirtualRadio()
{
    HangUp();
    if (m_log)
        std::fclose(m_log);
}

bool VirtualRadio::LoadMemory(std::string& error)
{
    std::memcpy(m_header.data(), kSignature, sizeof kSignature - 1);
    FillDefaultMemory(m_memory);
    if (!m_options.memoryFile.empty()) {
        const int fd = ::open(m_options.memoryFile.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 && errno != ENOENT) {
            error = m_options.memoryFile + ": " + std::strerror(errno);
            return false;
        }
        if (fd >= 0) {
            std::vector<unsigned char> bytes(kHeaderSize + kImageSize);
            std::size_t got = 0;
            while (got < bytes.size()) {
                const ssize_t r = ::read(fd, bytes.data() + got, bytes.size() - got);
                if (r < 0 && errno == EINTR)
                    continue;
                if (r <= 0)
                    break;
                got += static_cast<std::size_t>(r);
            }
            ::close(fd);
            if (got < kSignatureCompare || std::memcmp(bytes.data(), kSignature, kSignatureCompare) != 0) {
                error = m_options.memoryFile + ": not a data file (wrong signature)";
                return false;
            }
            std::memcpy(m_header.data(), bytes.data(), std::min(got, kHeaderSize));
            m_memory.fill(0xFF);
            if (got > kHeaderSize)
                std::memcpy(m_memory.data(), bytes.data() + kHeaderSize, got - kHeaderSize);
        }
    }
    if (m_options.password) {
        bool ok = true;
        for (std::size_t i = 0; i < 6; ++i) {
            unsigned char code = 0xFF;
            if (ok && i < m_options.password->size())
                code = PasswordCode((*m_options.password)[i], ok);
            else
                ok = false;
            m_memory[0x3B0 + i] = ok ? code : 0xFF;
        }
    }
    if (!m_options.logFile.empty()) {
        m_log = std::fopen(m_options.logFile.c_str(), "w");
        if (!m_log) {
            error = m_options.logFile + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

std::string VirtualRadio::OpenTerminal(std::string& error)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return {};
    }
    const char* name = ::ptsname(m_master);
    if (!name) {
        error = "cannot name the pseudo-terminal";
        return {};
    }
    const std::string slavePath = name;
    // Holding the slave open keeps the master from reporting a hang-up
    // whenever the PC side has it closed.
    m_slave = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        error = slavePath + ": " + std::strerror(errno);
        return {};
    }
    termios tio {};
    if (::tcgetattr(m_slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    if (!m_options.link.empty()) {
        const std::string temp = m_options.link + ".new";
        ::unlink(temp.c_str());
        if (::symlink(slavePath.c_str(), temp.c_str()) != 0
            || ::rename(temp.c_str(), m_options.link.c_str()) != 0) {
            error = m_options.link + ": " + std::strerror(errno);
            return {};
        }
    }
    return slavePath;
}

void VirtualRadio::HangUp()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
    if (!m_options.link.empty())
        ::unlink(m_options.link.c_str());
    m_options.link.clear();
}

void VirtualRadio::Dump()
{
    if (m_options.dumpFile.empty())
        return;
    const std::string temp = m_options.dumpFile + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    const bool ok = WriteAll(fd, m_header.data(), m_header.size())
        && WriteAll(fd, m_memory.data(), m_memory.size()) && ::fsync(fd) == 0;
    ::close(fd);
    if (ok)
        ::rename(temp.c_str(), m_options.dumpFile.c_str());
    else
        ::unlink(temp.c_str());
}

void VirtualRadio::Log(const char* direction, const unsigned char* bytes, std::size_t n, const char* what)
{
    if (!m_log)
        return;
    std::fprintf(m_log, "%-5s", direction);
    for (std::size_t i = 0; i < n; ++i)
        std::fprintf(m_log, " %02X", bytes[i]);
    std::fprintf(m_log, "  ; %s\n", what);
    std::fflush(m_log);
}

void VirtualRadio::Send(const std::vector<unsigned char>& bytes, const char* what)
{
    Log("RADIO", bytes.data(), bytes.size(), what);
    const Clock::time_point now = Clock::now();
    for (unsigned char b : bytes) {
        Clock::time_point due = now;
        if (m_options.pace) {
            due = std::max(now, m_lastTx) + kByteTime;
            m_lastTx = due;
        }
        m_tx.push_back({ b, due });
    }
    if (m_options.garbageBetween && !bytes.empty() && bytes.front() != kGarbage) {
        const std::vector<unsigned char> garbage { kGarbage };
        Send(garbage, "garbage between frames (fault)");
    }
}

bool VirtualRadio::Fire(std::map<int, int>& faults, int address)
{
    const auto it = faults.find(address);
    if (it == faults.end() || it->second == 0)
        return false;
    if (it->second > 0)
        --it->second;
    return true;
}

std::size_t VirtualRadio::FrameLength(unsigned char first) const
{
    switch (m_state) {
    case State::Idle:
        return first == 0x02 ? 8 : 1;
    case State::AwaitIdent:
        return 1;
    case State::AwaitIdentAck:
        return 1;
    case State::Session:
        switch (first) {
        case 0x02:
            return 8;
        case 0x52:
            return 4;
        case 0x57:
        case 0x67:
            return 12;
        default:
            return 1;
        }
    }
    return 1;
}

void VirtualRadio::Receive(unsigned char byte)
{
    ++m_received;
    m_frame.push_back(byte);
    if (m_frame.size() >= FrameLength(m_frame.front())) {
        HandleFrame();
        m_frame.clear();
    }
    if (m_options.hangupAfter >= 0 && m_received >= m_options.hangupAfter) {
        const unsigned char none = 0;
        Log("LINE", &none, 0, "hang-up (cable pulled)");
        m_hungUp = true;
        HangUp();
    }
}

void VirtualRadio::HandleFrame()
{
    const std::vector<unsigned char> f = m_frame;
    const unsigned char first = f.front();
    const int address = f.size() >= 3 ? (f[1] << 8 | f[2]) : 0;
    if (m_options.silent || (m_options.silentAfter >= 0 && m_received > m_options.silentAfter)) {
        Log("PC", f.data(), f.size(), "ignored (silent radio)");
        return;
    }
    if (m_state == State::AwaitIdentAck) {
        if (first == kAck) {
            Log("PC", f.data(), f.size(), "acknowledge of the identification");
            m_state = State::Session;
            m_wroteInSession = false;
            if (m_options.ackEcho)
                Send({ kAck }, "acknowledge");
            return;
        }
        m_state = State::Session;
        m_wroteInSession = false;
    }
    if (m_state == State::AwaitIdent) {
        if (first != 0x02) {
            Log("PC", f.data(), f.size(), "unexpected before identification");
            m_state = State::Idle;
            return;
        }
        Log("PC", f.data(), f.size(), "identification request");
        const int n = std::clamp(m_options.identLength, 0, 8);
        if (n > 0)
            Send(std::vector<unsigned char>(kIdentification, kIdentification + n), "identification");
        m_state = n == 8 ? State::AwaitIdentAck : State::Idle;
        return;
    }
    if (first == 0x02 && f.size() == 8) {
        std::array<unsigned char, 7> expected {};
        bool match = true;
        if (m_options.handshake) {
            for (std::size_t i = 0; i < 7 && i < m_options.handshake->size(); ++i)
                expected[i] = static_cast<unsigned char>((*m_options.handshake)[i]);
            match = std::equal(expected.begin(), expected.end(), f.begin() + 1);
        }
        if (!match) {
            Log("PC", f.data(), f.size(), "handshake with the wrong text, ignored");
            m_state = State::Idle;
            return;
        }
        Log("PC", f.data(), f.size(), "handshake");
        if (m_garbageLeft > 0) {
            --m_garbageLeft;
            Send({ kGarbage, kAck }, "garbled acknowledge");
            m_state = State::Idle;
            return;
        }
        Send({ kAck }, "acknowledge");
        m_state = State::AwaitIdent;
        return;
    }
    if (m_state == State::Idle) {
        Log("PC", f.data(), f.size(), "ignored while idle");
        return;
    }

    switch (first) {
    case 0x05: {
        Log("PC", f.data(), f.size(), "password query");
        const int n = std::clamp(m_options.passwordLength, 0, 6);
        if (n > 0)
            Send(std::vector<unsigned char>(m_memory.begin() + 0x3B0, m_memory.begin() + 0x3B0 + n),
                "password");
        return;
    }
    case kAck:
        Log("PC", f.data(), f.size(), "acknowledge");
        if (m_options.ackEcho)
            Send({ kAck }, "acknowledge");
        return;
    case 0x52: {
        Log("PC", f.data(), f.size(), "read request");
        std::vector<unsigned char> reply { 0x57, f[1], f[2], 0x08 };
        for (int i = 0; i < 8; ++i)
            reply.push_back(m_memory[static_cast<std::size_t>((address + i) & 0xFFF)]);
        if (Fire(m_options.wrongAddress, address)) {
            reply[1] = static_cast<unsigned char>(reply[1] + 1);
            Send(reply, "block with a wrong address (fault)");
        } else if (Fire(m_options.shortBlock, address)) {
            reply.resize(6);
            Send(reply, "short block (fault)");
        } else {
            Send(reply, "block");
        }
        return;
    }
    case 0x57:
        Log("PC", f.data(), f.size(), "block write");
        if (Fire(m_options.refuseWrite, address)) {
            Send({ kNak }, "refused (fault)");
            return;
        }
        for (int i = 0; i < 8; ++i)
            m_memory[static_cast<std::size_t>((address + i) & 0xFFF)] = f[static_cast<std::size_t>(4 + i)];
        m_wroteInSession = true;
        Send({ kAck }, "acknowledge");
        // The test mode's write-all ends with this block and no end command.
        if (address == 0x3F8)
            Dump();
        return;
    case 0x67:
        Log("PC", f.data(), f.size(), "live calibration");
        std::copy(f.begin() + 4, f.end(), m_memory.begin() + 0x3F0);
        if (m_options.ackEcho)
            Send({ kAck }, "acknowledge");
        return;
    case 0x62:
        Log("PC", f.data(), f.size(), "end command");
        if (m_wroteInSession)
            Dump();
        m_wroteInSession = false;
        m_state = State::Idle;
        return;
    default:
        Log("PC", f.data(), f.size(), "unexpected, ignored");
        return;
    }
}

int VirtualRadio::Run(volatile const int& stop)
{
    sigset_t noSignalsBlocked;
    sigemptyset(&noSignalsBlocked);
    unsigned char buffer[256];
    while (!stop && !m_hungUp) {
        const Clock::time_point now = Clock::now();
        while (!m_rx.empty() && m_rx.front().at <= now && !m_hungUp) {
            const unsigned char b = m_rx.front().byte;
            m_rx.pop_front();
            Receive(b);
        }
        if (m_hungUp)
            break;
        std::vector<unsigned char> out;
        while (!m_tx.empty() && m_tx.front().at <= now) {
            out.push_back(m_tx.front().byte);
            m_tx.pop_front();
        }
        if (!out.empty() && !WriteAll(m_master, out.data(), out.size()))
            return 1;

        Clock::time_point next = Clock::time_point::max();
        if (!m_rx.empty())
            next = std::min(next, m_rx.front().at);
        if (!m_tx.empty())
            next = std::min(next, m_tx.front().at);
        timespec wait {};
        timespec* waitPtr = nullptr;
        if (next != Clock::time_point::max()) {
            const auto left = std::max(std::chrono::nanoseconds(0), next - Clock::now());
            wait.tv_sec = static_cast<time_t>(left.count() / 1'000'000'000);
            wait.tv_nsec = static_cast<long>(left.count() % 1'000'000'000);
            waitPtr = &wait;
        }
        pollfd p { m_master, POLLIN, 0 };
        const int r = ::ppoll(&p, 1, waitPtr, &noSignalsBlocked);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return 1;
        }
        if (r > 0 && !(p.revents & POLLIN)) {
            // Cannot happen while the slave is held open; never spin on it.
            ::poll(nullptr, 0, 10);
            continue;
        }
        if (r > 0) {
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            const Clock::time_point arrived = Clock::now();
            for (ssize_t i = 0; i < n; ++i) {
                Clock::time_point ready = arrived;
                if (m_options.pace) {
                    ready = std::max(arrived, m_lastRx) + kByteTime;
                    m_lastRx = ready;
                }
                m_rx.push_back({ buffer[i], ready });
            }
        }
    }
    return 0;
}
