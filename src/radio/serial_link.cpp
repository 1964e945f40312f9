#include "radio/serial_link.h"

#include "platform/clock.h"
#include "platform/com_ports.h"
#include "shell/settings_file.h"

#include <chrono>

SerialLink::~SerialLink()
{
    Close();
}

std::string SerialLink::DevicePath(int port) const
{
    return ComPortDevice(port, m_settingsPath.empty() ? SettingsFile() : m_settingsPath);
}

int SerialLink::Open(int port, int baud)
{
    m_lastDevice = DevicePath(port);
    return m_port.Open(m_lastDevice, baud) ? 1 : 0;
}

void SerialLink::SetBaudRate(int baud)
{
    m_port.SetBaudRate(baud);
}

int SerialLink::Write(const unsigned char* buffer, int count, int delay)
{
    if (delay > 0)
        Sleep(static_cast<unsigned>(delay));
    return m_port.Write(buffer, count);
}

int SerialLink::WriteByte(unsigned char byte, int delay)
{
    return Write(&byte, 1, delay);
}

int SerialLink::Read(unsigned char* buffer, int count, int timeoutMs)
{
    // The monotonic clock at full resolution, so a time-out never ends early.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    int received = 0;
    for (;;) {
        received += m_port.ReadNow(buffer + received, count - received);
        if (received >= count)
            return count;
        // A pulled cable delivers nothing more: no point waiting out the time.
        if (m_port.HungUp())
            return received;
        const Clock::time_point now = Clock::now();
        if (timeoutMs <= 0 || now >= deadline)
            return received;
        // Rounded up: poll() counts whole milliseconds.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        if (m_port.IsOpen())
            m_port.WaitReadable(static_cast<int>(left.count()));
        else
            Sleep(static_cast<unsigned>(left.count()));
    }
}

int SerialLink::ReadByte(int timeoutMs)
{
    unsigned char byte = 0;
    return Read(&byte, 1, timeoutMs) == 1 ? byte : -1;
}

void SerialLink::Close()
{
    m_port.Close();
}
