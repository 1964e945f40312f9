#include "platform/com_ports.h"

#include "platform/profile.h"

std::string ComPortDevice(int n, const std::string& settingsFile)
{
    if (n < 1)
        return {};
    const std::string key = "COM" + std::to_string(n);
    std::string device = GetPrivateProfileString("ports", key, "", 4096, settingsFile);
    if (!device.empty())
        return device;
    return "/dev/ttyUSB" + std::to_string(n - 1);
}
