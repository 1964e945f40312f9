#pragma once
// What stands between the user and a serial device, in terms a message can
// use: whether this process may open it, the group that could let it, and for
// USB adapters the maker and product as the kernel reports them in sysfs.
// Qt-free; reads the file system only, so any thread may call it.

#include <string>

// The group whose members may read and write device, or "" when the device
// does not exist or its group has no read and write rights.
std::string PortOwningGroup(const std::string& device);

// True when device exists but this process may not read and write it.
bool PortPermissionDenied(const std::string& device);

// The USB identity of the adapter behind a tty device. Symbolic links such as
// /dev/serial/by-id/... are followed to the tty's name; its sysfs node
// <sysRoot>/class/tty/<name>/device is walked up to the USB device that holds
// idVendor. All fields are empty for a device that is not on USB.
struct UsbAdapterInfo
{
    std::string vendorId; // four hex digits, e.g. "0403"
    std::string productId;
    std::string manufacturer; // as the adapter reports it; may be empty
    std::string product;

    bool IsUsb() const { return !vendorId.empty(); }
};
UsbAdapterInfo ReadUsbAdapterInfo(const std::string& device, const std::string& sysRoot = "/sys");

// One line naming the adapter, "USB 0403:6001 FTDI FT232R USB UART", or ""
// when info is not a USB adapter.
std::string DescribeUsbAdapter(const UsbAdapterInfo& info);

// The message for a radio that could not be reached on port (COMn, mapped
// through settingsFile): when this user may not open the port's device, which
// device and which group to join (IDS_ERROR_PORT_GROUP, or IDS_ERROR_PORT_OWNER
// when no group may use it); otherwise the general IDS_ERROR_PORTCONN. Texts
// come from the active language file.
std::string PortErrorMessage(int port, const std::string& settingsFile);
