// Port diagnosis on real files: a sysfs tree laid out as the kernel lays out
// CDC-ACM, USB-serial and on-board ports, device nodes reached through
// by-id style links, and the permission check run as an unprivileged user.

#include "platform/profile.h"
#include "radio/port_diagnosis.h"
#include "shell/settings_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <grp.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A sysfs root under sys/ and device nodes under dev/ (plain files named like
// the ttys, since only their names and rights matter here).
class FakeSystem
{
public:
    FakeSystem()
    {
        fs::create_directories(Sys() + "/class/tty");
        fs::create_directories(Dev() + "/serial/by-id");
    }

    std::string Sys() const { return m_dir.file("sys"); }
    std::string Dev() const { return m_dir.file("dev"); }

    // A tty whose class entry's "device" link leads to devicePath (relative to
    // sys/devices), as the kernel lays it out: a CDC-ACM tty's to the USB
    // interface, a USB-serial converter's to its port below the interface, an
    // on-board port's to a platform device. usbLevel > 0 puts the USB
    // device's attributes that many levels above devicePath.
    std::string AddTty(const std::string& name, const std::string& devicePath, int usbLevel,
        const std::string& vendor = "", const std::string& product = "", const std::string& maker = "",
        const std::string& productName = "")
    {
        const fs::path node = fs::path(Sys()) / "devices" / devicePath;
        fs::create_directories(node);
        fs::create_directories(fs::path(Sys()) / "class/tty" / name);
        fs::create_directory_symlink(node, fs::path(Sys()) / "class/tty" / name / "device");
        if (usbLevel > 0) {
            fs::path usb = node;
            for (int i = 0; i < usbLevel; ++i)
                usb = usb.parent_path();
            TempDir::WriteFile((usb / "idVendor").string(), vendor + "\n");
            TempDir::WriteFile((usb / "idProduct").string(), product + "\n");
            if (!maker.empty())
                TempDir::WriteFile((usb / "manufacturer").string(), maker + "\n");
            TempDir::WriteFile((usb / "product").string(), productName + "\n");
        }
        const std::string device = Dev() + "/" + name;
        TempDir::WriteFile(device, "");
        return device;
    }

private:
    TempDir m_dir;
};

TEST(UsbAdapterInfo, FindsTheUsbDeviceAboveEachKindOfTty)
{
    FakeSystem system;
    const std::string acm = system.AddTty("ttyACM0", "pci0000:00/usb1/1-2/1-2:1.0", 1, "2341",
        "0043", "Example Inc.", "Serial Cable");
    const std::string usb = system.AddTty(
        "ttyUSB0", "pci0000:00/usb1/1-1/1-1:1.0/ttyUSB0", 2, "0403", "6001", "FTDI", "FT232R USB UART");
    const std::string noMaker = system.AddTty(
        "ttyUSB1", "pci0000:00/usb1/1-3/1-3:1.0/ttyUSB1", 2, "1a86", "7523", "", "USB Serial");
    const std::string onboard = system.AddTty("ttyS0", "platform/serial8250/tty/ttyS0", 0);
    const std::string byId = system.Dev() + "/serial/by-id/usb-FTDI_FT232R_USB_UART-if00-port0";
    fs::create_symlink(usb, byId);

    const struct
    {
        std::string device;
        const char* description;
    } cases[] = {
        { acm, "USB 2341:0043 Example Inc. Serial Cable" },
        { usb, "USB 0403:6001 FTDI FT232R USB UART" },
        { byId, "USB 0403:6001 FTDI FT232R USB UART" },
        { noMaker, "USB 1a86:7523 USB Serial" },
        { onboard, "" },
        { system.Dev() + "/ttyUSB9", "" },
        { "", "" },
    };
    for (const auto& c : cases) {
        const UsbAdapterInfo info = ReadUsbAdapterInfo(c.device, system.Sys());
        EXPECT_EQ(DescribeUsbAdapter(info), c.description) << c.device;
        EXPECT_EQ(info.IsUsb(), *c.description != '\0') << c.device;
    }
}

TEST(PortOwningGroup, NamesTheGroupOnlyWhenItMayReadAndWrite)
{
    TempDir dir;
    const std::string device = dir.file("ttyUSB0");
    TempDir::WriteFile(device, "");
    struct stat info
    {
    };
    ASSERT_EQ(::stat(device.c_str(), &info), 0);
    const group* owner = ::getgrgid(info.st_gid);
    const std::string name = owner ? owner->gr_name : std::to_string(info.st_gid);

    ::chmod(device.c_str(), 0660);
    EXPECT_EQ(PortOwningGroup(device), name);
    ::chmod(device.c_str(), 0640);
    EXPECT_EQ(PortOwningGroup(device), "");
    ::chmod(device.c_str(), 0600);
    EXPECT_EQ(PortOwningGroup(device), "");
    EXPECT_EQ(PortOwningGroup(dir.file("missing")), "");
}

// Root may open anything, so the check runs in a child that has become nobody.
TEST(PortPermissionDenied, HoldsForAUserOutsideTheDevicesGroup)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to become another user";
    TempDir dir;
    ::chmod(dir.path().c_str(), 0755);
    const struct
    {
        const char* name;
        mode_t mode;
        bool exists;
        bool denied;
    } cases[] = {
        { "group-only", 0660, true, true },
        { "everyone", 0666, true, false },
        { "read-only", 0644, true, true },
        { "missing", 0, false, false },
    };
    for (const auto& c : cases) {
        const std::string device = dir.file(c.name);
        if (c.exists) {
            TempDir::WriteFile(device, "");
            ::chmod(device.c_str(), c.mode);
        }
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(2);
            ::_exit(PortPermissionDenied(device) ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_NE(WEXITSTATUS(status), 2) << "could not become nobody";
        EXPECT_EQ(WEXITSTATUS(status) == 1, c.denied) << c.name;
    }
}

// What a user outside the device's group is told when the radio cannot be
// reached, in each shipped language, computed in a child that became nobody.
TEST(PortErrorMessage, NamesDeviceAndGroupWhenPermissionIsMissing)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to become another user";
    TempDir dir;
    ::chmod(dir.path().c_str(), 0755);
    const std::string ini = dir.file("setting.ini");
    const std::string device = dir.file("ttyUSB7");
    TempDir::WriteFile(device, "");
    WritePrivateProfileString("ports", "COM3", device, ini);
    ::chmod(ini.c_str(), 0644);
    struct stat info
    {
    };
    ASSERT_EQ(::stat(device.c_str(), &info), 0);
    const group* owner = ::getgrgid(info.st_gid);
    const std::string groupName = owner ? owner->gr_name : std::to_string(info.st_gid);

    const struct
    {
        const char* language;
        mode_t mode;
        std::vector<std::string> expected;
    } cases[] = {
        { "english", 0660,
            { "COM3 (" + device + ")", "group \"" + groupName + "\"",
                "usermod -aG " + groupName + " $USER" } },
        { "english", 0600, { "COM3 (" + device + ")", "owner" } },
        { "english", 0666, { "The radio does not answer" } },
        { "chinese", 0660,
            { "COM3 (" + device + ")", "“" + groupName + "”", "usermod -aG " + groupName + " $USER" } },
        { "chinese", 0600, { "COM3 (" + device + ")", "所有者" } },
    };
    for (const auto& c : cases) {
        ::chmod(device.c_str(), c.mode);
        SetSettingsFile(ini);
        SetLanguageFile(std::string(VELMAR_RESOURCE_DIR) + "/" + c.language + ".lang");
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(2);
            const std::string text = PortErrorMessage(3, ini);
            const bool written
                = ::write(fds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
            ::_exit(written ? 0 : 3);
        }
        ::close(fds[1]);
        std::string text;
        char buffer[512];
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(n));
        ::close(fds[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.language << " " << c.mode;
        EXPECT_EQ(text.find("Not Found"), std::string::npos) << text;
        for (const std::string& part : c.expected)
            EXPECT_NE(text.find(part), std::string::npos) << c.language << " " << c.mode << ": " << text;
    }
    SetSettingsFile({});
    SetLanguageFile({});
}

} // namespace
