#include "platform/serial_port.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t SpeedFor(int baud)
{
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B9600;
    }
}

SerialOpenError ErrorFor(int err)
{
    switch (err) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
        return SerialOpenError::NotFound;
    case EBUSY:
    case EWOULDBLOCK:
        return SerialOpenError::Busy;
    case EACCES:
    case EPERM:
        return SerialOpenError::PermissionDenied;
    default:
        return SerialOpenError::Other;
    }
}

int NowMs()
{
    using namespace std::chrono;
    return static_cast<int>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() & 0x3fffffff);
}

// How long a write may go without progress before it gives up; the driver
// only stalls like this when the line is stuck.
constexpr int kWriteStallMs = 2000;

} // namespace

SerialPort::~SerialPort()
{
    Close();
}

bool SerialPort::Open(const std::string& device, int baud)
{
    Close();
    m_hungUp = false;
    m_lastError = SerialOpenError::None;
    m_lastErrno = 0;

    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_lastErrno = errno;
        m_lastError = ErrorFor(errno);
        return false;
    }
    // flock holds against a second open even by root, which TIOCEXCL does not.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_lastErrno = errno;
        m_lastError = SerialOpenError::Busy;
        ::close(fd);
        return false;
    }
    ::ioctl(fd, TIOCEXCL);

    termios tio {};
    if (::tcgetattr(fd, &tio) == 0) {
        ::cfmakeraw(&tio);
        tio.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CSIZE | CRTSCTS);
        tio.c_cflag |= CS8 | CLOCAL | CREAD;
        tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
        // VMIN=1 makes an empty non-blocking read fail with EAGAIN, so that a
        // read of 0 bytes means end-of-file (hang-up) and nothing else.
        tio.c_cc[VMIN] = 1;
        tio.c_cc[VTIME] = 0;
        ::cfsetispeed(&tio, SpeedFor(baud));
        ::cfsetospeed(&tio, SpeedFor(baud));
        ::tcsetattr(fd, TCSANOW, &tio);
    }
    // Pseudo-terminals refuse modem-line ioctls (ENOTTY); the port still counts as opened.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIS, &lines);

    m_fd = fd;
    return true;
}

void SerialPort::Close()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
}

void SerialPort::SetBaudRate(int baud)
{
    if (m_fd < 0)
        return;
    termios tio {};
    if (::tcgetattr(m_fd, &tio) != 0)
        return;
    ::cfsetispeed(&tio, SpeedFor(baud));
    ::cfsetospeed(&tio, SpeedFor(baud));
    ::tcsetattr(m_fd, TCSANOW, &tio);
}

void SerialPort::MarkHungUp()
{
    m_hungUp = true;
}

int SerialPort::Write(const void* data, int count)
{
    if (m_fd < 0 || count <= 0)
        return 0;
    const auto* bytes = static_cast<const unsigned char*>(data);
    int done = 0;
    int lastProgress = NowMs();
    while (done < count) {
        const ssize_t n = ::write(m_fd, bytes + done, static_cast<size_t>(count - done));
        if (n > 0) {
            done += static_cast<int>(n);
            lastProgress = NowMs();
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            MarkHungUp();
            break;
        }
        const int waited = NowMs() - lastProgress;
        if (waited >= kWriteStallMs)
            break;
        pollfd p { m_fd, POLLOUT, 0 };
        const int r = ::poll(&p, 1, kWriteStallMs - waited);
        if (r > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) && !(p.revents & POLLOUT)) {
            MarkHungUp();
            break;
        }
    }
    return done;
}

int SerialPort::ReadNow(void* data, int count)
{
    if (m_fd < 0 || count <= 0)
        return 0;
    for (;;) {
        const ssize_t n = ::read(m_fd, data, static_cast<size_t>(count));
        if (n > 0)
            return static_cast<int>(n);
        if (n == 0) {
            MarkHungUp();
            return 0;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            MarkHungUp();
        return 0;
    }
}

bool SerialPort::WaitReadable(int ms)
{
    if (m_fd < 0 || m_hungUp)
        return false;
    const int start = NowMs();
    for (;;) {
        const int left = ms - (NowMs() - start);
        pollfd p { m_fd, POLLIN, 0 };
        const int r = ::poll(&p, 1, left > 0 ? left : 0);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        if (p.revents & POLLIN)
            return true;
        if (p.revents & (POLLHUP | POLLERR))
            MarkHungUp();
        return false;
    }
}
