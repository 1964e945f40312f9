#include "radio/test_mode_radio.h"

#include "platform/profile.h"
#include "radio/clone_protocol.h"
#include "radio/serial_link.h"

#include <cstring>
#include <utility>

namespace {

constexpr int kWriteAllAckWaitMs = 50;

} // namespace

TestModeRadio::TestModeRadio(SerialLink& link, std::string settingsPath, unsigned char* image)
    : m_link(link)
    , m_settingsPath(std::move(settingsPath))
    , m_image(image)
{
}

bool TestModeRadio::PasswordMatches(const std::string& typed, const std::string& settingsPath)
{
    return GetPrivateProfileString("setup", "testpw", "", 20, settingsPath) == typed;
}

TestModeOutcome TestModeRadio::Connect()
{
    CloneProtocol protocol(m_link, m_settingsPath);
    switch (protocol.Connect()) {
    case CloneProtocol::ConnectOutcome::Connected:
        return TestModeOutcome::Ok;
    case CloneProtocol::ConnectOutcome::TypeError:
        m_link.Close();
        return TestModeOutcome::TypeError;
    case CloneProtocol::ConnectOutcome::PortError:
    case CloneProtocol::ConnectOutcome::Cancelled:
        break;
    }
    m_link.Close();
    return TestModeOutcome::PortError;
}

TestModeOutcome TestModeRadio::QueryPassword()
{
    CloneProtocol protocol(m_link, m_settingsPath);
    unsigned char password[6];
    if (!protocol.QueryPassword(password)) {
        m_link.Close();
        return TestModeOutcome::ReadFailed;
    }
    return TestModeOutcome::Ok;
}

TestModeOutcome TestModeRadio::FullRead()
{
    TestModeOutcome outcome = Connect();
    if (outcome == TestModeOutcome::Ok)
        outcome = QueryPassword();
    if (outcome != TestModeOutcome::Ok)
        return outcome;
    CloneProtocol protocol(m_link, m_settingsPath);
    for (int block = 0; block < CloneProtocol::kTestModeBlocks; ++block) {
        const int address = block * CloneProtocol::kBlockSize;
        unsigned char reply[12];
        if (protocol.RequestBlock(address, reply) < 12) {
            m_link.Close();
            return TestModeOutcome::ReadFailed;
        }
        std::memcpy(m_image + address, reply + 4, CloneProtocol::kBlockSize);
        protocol.Acknowledge();
    }
    return TestModeOutcome::Ok;
}

TestModeOutcome TestModeRadio::StartDebugMode()
{
    m_debugMode = 1;
    TestModeOutcome outcome = Connect();
    if (outcome == TestModeOutcome::Ok)
        outcome = QueryPassword();
    if (outcome != TestModeOutcome::Ok)
        return outcome;
    CloneProtocol protocol(m_link, m_settingsPath);
    unsigned char reply[12];
    if (protocol.RequestBlock(CloneProtocol::kCalibrationOffset, reply) < 12) {
        m_link.Close();
        return TestModeOutcome::ReadFailed;
    }
    std::memcpy(m_image + CloneProtocol::kCalibrationOffset, reply + 4, CloneProtocol::kBlockSize);
    SendCalibration();
    return TestModeOutcome::Ok;
}

void TestModeRadio::SendCalibration()
{
    CloneProtocol(m_link, m_settingsPath).SendCalibration(m_image);
}

TestModeOutcome TestModeRadio::WriteAll()
{
    CloneProtocol protocol(m_link, m_settingsPath);
    if (m_debugMode)
        protocol.SendEndCommand();
    m_debugMode = 0;
    const TestModeOutcome outcome = Connect();
    if (outcome != TestModeOutcome::Ok)
        return outcome;
    for (int block = 0; block < CloneProtocol::kTestModeBlocks; ++block) {
        if (!protocol.SendBlock(block * CloneProtocol::kBlockSize, m_image, kWriteAllAckWaitMs))
            return TestModeOutcome::WriteFailed;
    }
    m_link.Close();
    return TestModeOutcome::Ok;
}

void TestModeRadio::EndDebugMode()
{
    if (!m_debugMode)
        return;
    CloneProtocol(m_link, m_settingsPath).SendEndCommand();
    m_link.Close();
}
