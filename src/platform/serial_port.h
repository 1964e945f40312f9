#pragma once
// One serial device opened exclusively in raw 8N1 mode, with non-blocking reads
// and millisecond waits on poll(). Knows nothing of the radio protocol.
// Not thread-safe: one thread at a time reads and writes; close only after it is done.

#include <string>

// Why the last Open failed (errno-level detail for messages).
enum class SerialOpenError {
    None,
    NotFound, // no such device
    Busy, // held by another program (or another SerialPort)
    PermissionDenied, // the user may not open the device
    Other,
};

class SerialPort
{
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens the device at the given baud rate: exclusive (TIOCEXCL and flock),
    // raw, 8 data bits, no parity, 1 stop bit, no flow control, DTR and RTS on.
    // False when the device cannot be opened or is held elsewhere; see LastError.
    bool Open(const std::string& device, int baud);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

    // Sets the line speed; nothing happens on a closed port.
    void SetBaudRate(int baud);

    // Writes all bytes, waiting for room when the driver's queue is full.
    // Returns the number written; fewer after an I/O error or a hang-up.
    int Write(const void* data, int count);

    // Takes whatever is buffered now, up to count bytes, without waiting.
    // Returns 0 when nothing is there (or after a hang-up).
    int ReadNow(void* data, int count);

    // Waits up to ms milliseconds for input. True when bytes are ready; false
    // on time-out, on a closed port and after a hang-up (which returns at once).
    bool WaitReadable(int ms);

    // True once the device has hung up or failed with an I/O error (cable
    // pulled); cleared by the next Open.
    bool HungUp() const { return m_hungUp; }

    SerialOpenError LastError() const { return m_lastError; }
    int LastErrno() const { return m_lastErrno; }

private:
    void MarkHungUp();

    int m_fd = -1;
    bool m_hungUp = false;
    SerialOpenError m_lastError = SerialOpenError::None;
    int m_lastErrno = 0;
};
