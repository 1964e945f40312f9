#include "radio/serial_link.h"

#include "platform/clock.h"
#include "platform/com_ports.h"
#include "shell/settings_file.h"

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
    const std::uint32_t start = GetTickCount();
    int received = 0;
    for (;;) {
        received += m_port.ReadNow(buffer + received, count - received);
        if (received >= count)
            return count;
        // A pulled cable delivers nothing more: no point waiting out the time.
        if (m_port.HungUp())
            return received;
        const std::uint32_t elapsed = GetTickCount() - start;
        if (timeoutMs <= 0 || elapsed >= static_cast<std::uint32_t>(timeoutMs))
            return received;
        const int left = timeoutMs - static_cast<int>(elapsed);
        if (m_port.IsOpen())
            m_port.WaitReadable(left);
        else
            Sleep(static_cast<unsigned>(left));
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
