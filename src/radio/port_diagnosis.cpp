#include "radio/port_diagnosis.h"

#include "platform/com_ports.h"
#include "shell/lang_string.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// How far above the tty's device node the USB device may sit: a CDC-ACM tty
// hangs off the interface (one level), a USB-serial converter's off a port
// of the interface (two levels).
constexpr int kMaxLevelsUp = 4;

// text with %1 replaced by first and %2 by second, in one pass, so a value
// that itself holds "%2" stays as it is.
std::string Fill(const std::string& text, const std::string& first, const std::string& second)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            out += text[i + 1] == '1' ? first : second;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string ReadAttribute(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

} // namespace

std::string PortOwningGroup(const std::string& device)
{
    struct stat info
    {
    };
    if (::stat(device.c_str(), &info) != 0 || (info.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return {};
    const group* owner = ::getgrgid(info.st_gid);
    return owner ? owner->gr_name : std::to_string(info.st_gid);
}

bool PortPermissionDenied(const std::string& device)
{
    return ::access(device.c_str(), R_OK | W_OK) != 0 && errno == EACCES;
}

UsbAdapterInfo ReadUsbAdapterInfo(const std::string& device, const std::string& sysRoot)
{
    UsbAdapterInfo info;
    std::error_code ec;
    const fs::path real = fs::canonical(device, ec);
    if (ec || real.filename().empty())
        return info;
    fs::path node = fs::canonical(fs::path(sysRoot) / "class" / "tty" / real.filename() / "device", ec);
    if (ec)
        return info;
    for (int level = 0; level <= kMaxLevelsUp && node.has_relative_path(); ++level) {
        if (fs::exists(node / "idVendor", ec)) {
            info.vendorId = ReadAttribute(node / "idVendor");
            info.productId = ReadAttribute(node / "idProduct");
            info.manufacturer = ReadAttribute(node / "manufacturer");
            info.product = ReadAttribute(node / "product");
            break;
        }
        node = node.parent_path();
    }
    return info;
}

std::string DescribeUsbAdapter(const UsbAdapterInfo& info)
{
    if (!info.IsUsb())
        return {};
    std::string text = "USB " + info.vendorId + ":" + info.productId;
    if (!info.manufacturer.empty())
        text += " " + info.manufacturer;
    if (!info.product.empty())
        text += " " + info.product;
    return text;
}

std::string PortErrorMessage(int port, const std::string& settingsFile)
{
    const std::string device = ComPortDevice(port, settingsFile);
    if (device.empty() || !PortPermissionDenied(device))
        return LoadLangString("IDS_ERROR_PORTCONN");
    const std::string what = "COM" + std::to_string(port) + " (" + device + ")";
    const std::string group = PortOwningGroup(device);
    return Fill(LoadLangString(group.empty() ? "IDS_ERROR_PORT_OWNER" : "IDS_ERROR_PORT_GROUP"), what, group);
}
