#include "radio/clone_protocol.h"

#include "platform/clock.h"
#include "platform/profile.h"
#include "radio/serial_link.h"

#include <cstring>
#include <utility>

namespace {

constexpr unsigned char kAck = 0x06;
constexpr unsigned char kIdentRequest = 0x02;
constexpr unsigned char kPasswordQuery = 0x05;
constexpr unsigned char kReadRequest = 0x52;
constexpr unsigned char kBlockFrame = 0x57;
constexpr unsigned char kCalibrationFrame = 0x67;
constexpr unsigned char kEndCommand = 0x62;

constexpr int kBaud = 9600;
constexpr int kWriteDelayMs = 1;
constexpr int kSettleAfterOpenMs = 100;
constexpr int kHandshakeTries = 10;
constexpr int kHandshakeWaitMs = 50;
constexpr int kReplyWaitMs = 500;
constexpr int kTrailingByteWaitMs = 50;
constexpr int kWriteAckWaitMs = 100;
constexpr int kBlockAttempts = 3;
constexpr int kLastSearchPort = 255;

bool Cancelled(const CloneProtocol::ConnectHooks& hooks)
{
    return hooks.cancelled && hooks.cancelled();
}

} // namespace

CloneProtocol::CloneProtocol(SerialLink& link, std::string settingsPath)
    : m_link(link)
    , m_settingsPath(std::move(settingsPath))
{
}

std::array<unsigned char, 8> CloneProtocol::HandshakeFrame(const std::string& communication)
{
    std::array<unsigned char, 8> frame {};
    frame[0] = 0x02;
    for (std::size_t i = 0; i < 7 && i < communication.size(); ++i)
        frame[i + 1] = static_cast<unsigned char>(communication[i]);
    return frame;
}

CloneProtocol::HandshakeResult CloneProtocol::Handshake(
    const std::array<unsigned char, 8>& frame, const ConnectHooks& hooks)
{
    if (!m_link.IsOpen())
        return HandshakeResult::Silent;
    for (int attempt = 0; attempt < kHandshakeTries; ++attempt) {
        if (attempt > 0 && Cancelled(hooks))
            return HandshakeResult::Cancelled;
        while (m_link.ReadByte(0) != -1) { }
        m_link.Write(frame.data(), static_cast<int>(frame.size()), kWriteDelayMs);
        if (m_link.ReadByte(kHandshakeWaitMs) == kAck)
            return HandshakeResult::Acknowledged;
    }
    return HandshakeResult::Silent;
}

CloneProtocol::ConnectOutcome CloneProtocol::Connect(const ConnectHooks& hooks)
{
    const std::string communication
        = GetPrivateProfileString("setup", "communication", "", 15, m_settingsPath);
    const std::string searchcom = GetPrivateProfileString("setup", "searchcom", "1", 8, m_settingsPath);
    const bool search = searchcom.empty() || searchcom[0] != '0';
    const auto frame = HandshakeFrame(communication);

    if (!m_link.IsOpen())
        m_link.Open(GetPrivateProfileInt("setup", "com", 1, m_settingsPath), kBaud);
    Sleep(kSettleAfterOpenMs);

    int foundPort = -1;
    int candidate = 1;
    for (;;) {
        const HandshakeResult shake = Handshake(frame, hooks);
        if (shake == HandshakeResult::Acknowledged)
            break;
        if (shake == HandshakeResult::Cancelled)
            return ConnectOutcome::Cancelled;
        if (!search)
            return ConnectOutcome::PortError;
        m_link.Close();
        // Ports that do not exist fail to open at once, so a search over
        // nothing but absent ports ends quickly.
        for (;;) {
            if (candidate > kLastSearchPort)
                return ConnectOutcome::PortError;
            if (Cancelled(hooks))
                return ConnectOutcome::Cancelled;
            const int port = candidate++;
            if (m_link.Open(port, kBaud)) {
                Sleep(kSettleAfterOpenMs);
                foundPort = port;
                if (hooks.portOpened)
                    hooks.portOpened(port);
                break;
            }
        }
    }

    m_link.WriteByte(kIdentRequest, kWriteDelayMs);
    unsigned char ident[8];
    const int got = m_link.Read(ident, 8, kReplyWaitMs);
    if (got == 0)
        return ConnectOutcome::PortError;
    if (got < 8)
        return ConnectOutcome::TypeError;
    Acknowledge();

    if (foundPort > 0) {
        WritePrivateProfileString("setup", "com", std::to_string(foundPort), m_settingsPath);
        if (hooks.portStored)
            hooks.portStored();
    }
    return ConnectOutcome::Connected;
}

bool CloneProtocol::QueryPassword(unsigned char out[6])
{
    m_link.WriteByte(kPasswordQuery, kWriteDelayMs);
    if (m_link.Read(out, 6, kReplyWaitMs) < 6)
        return false;
    Acknowledge();
    return true;
}

int CloneProtocol::RequestBlock(int address, unsigned char reply[12])
{
    const unsigned char request[4] = { kReadRequest, static_cast<unsigned char>(address >> 8),
        static_cast<unsigned char>(address & 0xFF), kBlockSize };
    m_link.Write(request, 4, kWriteDelayMs);
    return m_link.Read(reply, 12, kReplyWaitMs);
}

CloneProtocol::BlockResult CloneProtocol::ReadBlock(int address, unsigned char* image)
{
    unsigned char reply[12];
    int got = 0;
    for (int attempt = 0; attempt < kBlockAttempts; ++attempt) {
        got = RequestBlock(address, reply);
        const bool good = got == 12 && reply[0] == kBlockFrame
            && reply[1] == static_cast<unsigned char>(address >> 8)
            && reply[2] == static_cast<unsigned char>(address & 0xFF);
        if (good) {
            std::memcpy(image + address, reply + 4, kBlockSize);
            Acknowledge();
            return BlockResult::Stored;
        }
    }
    return got < 12 ? BlockResult::Short : BlockResult::Skipped;
}

bool CloneProtocol::SendBlock(int address, const unsigned char* image, int waitMs)
{
    unsigned char frame[12] = { kBlockFrame, static_cast<unsigned char>(address >> 8),
        static_cast<unsigned char>(address & 0xFF), kBlockSize };
    std::memcpy(frame + 4, image + address, kBlockSize);
    m_link.Write(frame, 12, kWriteDelayMs);
    return m_link.ReadByte(waitMs) == kAck;
}

bool CloneProtocol::WriteBlock(int address, const unsigned char* image)
{
    for (int attempt = 0; attempt < kBlockAttempts; ++attempt) {
        if (SendBlock(address, image, kWriteAckWaitMs))
            return true;
    }
    return false;
}

void CloneProtocol::Acknowledge()
{
    m_link.WriteByte(kAck, kWriteDelayMs);
    m_link.ReadByte(kTrailingByteWaitMs);
}

void CloneProtocol::SendCalibration(const unsigned char* image)
{
    unsigned char frame[12]
        = { kCalibrationFrame, kCalibrationOffset >> 8, kCalibrationOffset & 0xFF, kBlockSize };
    std::memcpy(frame + 4, image + kCalibrationOffset, kBlockSize);
    m_link.Write(frame, 12, kWriteDelayMs);
    m_link.ReadByte(kTrailingByteWaitMs);
}

void CloneProtocol::SendEndCommand()
{
    m_link.WriteByte(kEndCommand, kWriteDelayMs);
}

bool CloneProtocol::PasswordCheckEnabled() const
{
    const std::string password = GetPrivateProfileString("setup", "password", "1", 8, m_settingsPath);
    return !password.empty() && password[0] == '1';
}
