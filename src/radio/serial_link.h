#pragma once
// SerialLink: the program's one access to the radio's cable, opened by COM port
// number (mapped to a device through [ports] of the settings file), written with
// a short leading delay and read against millisecond time-outs. Framing and
// retries belong to callers. One thread at a time uses it (the transfer worker
// while a transfer runs, otherwise the UI thread); Close only after that thread is done.
// Protocol notes: docs/serial-protocol.md.

#include "platform/serial_port.h"

#include <string>

class SerialLink
{
public:
    SerialLink() = default;
    ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Opens COM<port> at the given baud rate, exclusively. 1 when opened and
    // configured, 0 when the port cannot be opened. Call only on a closed link.
    int Open(int port, int baud);
    void SetBaudRate(int baud);
    // Sleeps delay ms, then writes; returns the number of bytes written.
    int Write(const unsigned char* buffer, int count, int delay);
    int WriteByte(unsigned char byte, int delay);
    // Collects count bytes in order within timeoutMs; with 0 exactly one
    // attempt is made. Returns the number of bytes read.
    int Read(unsigned char* buffer, int count, int timeoutMs);
    // One byte as 0..255, or -1 when none arrived in time.
    int ReadByte(int timeoutMs);
    void Close();
    bool IsOpen() const { return m_port.IsOpen(); }

    // The settings file whose [ports] section maps port numbers to devices;
    // empty (the default) means the process-wide SettingsFile().
    void SetSettingsPath(const std::string& path) { m_settingsPath = path; }
    // The device path that port number n stands for.
    std::string DevicePath(int port) const;

    // True once the open device hung up or failed (cable pulled); reads then
    // report nothing at once. Cleared by the next Open.
    bool IsGone() const { return m_port.HungUp(); }
    // Why the last Open failed, and the device it tried.
    SerialOpenError LastOpenError() const { return m_port.LastError(); }
    int LastOpenErrno() const { return m_port.LastErrno(); }
    const std::string& LastDevice() const { return m_lastDevice; }

private:
    SerialPort m_port;
    std::string m_settingsPath;
    std::string m_lastDevice;
};
