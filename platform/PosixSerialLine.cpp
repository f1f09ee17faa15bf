#include "platform/PosixSerialLine.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "platform/SerialSpeed.h"

namespace vorn {

namespace {

// Rates beyond the termios constants are set exactly, within what a serial port can do.
constexpr int kLowestBaud = 50;
constexpr int kHighestBaud = 4000000;

bool applySettings(int fd, const LineSettings& s) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0 || !makeLineTermios(tio, s)) {
        return false;
    }
    // EINVAL: the settings were applied but read back different, as on a pseudo-terminal,
    // which keeps eight bits without parity. The line is usable as it stands.
    if (::tcsetattr(fd, TCSANOW, &tio) != 0 && errno != EINVAL) {
        return false;
    }
    return speedOf(s.baudRate) != 0 || setExactSpeed(fd, s.baudRate);
}

}  // namespace

bool makeLineTermios(termios& tio, const LineSettings& s) {
    ::cfmakeraw(&tio);
    speed_t speed = speedOf(s.baudRate);
    if (speed == 0) {
        if (s.baudRate < kLowestBaud || s.baudRate > kHighestBaud) {
            return false;
        }
        speed = B9600;  // a stand-in until the exact rate is set
    }
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE);
    switch (s.dataBits) {
        case 5:
            tio.c_cflag |= CS5;
            break;
        case 6:
            tio.c_cflag |= CS6;
            break;
        case 7:
            tio.c_cflag |= CS7;
            break;
        default:
            tio.c_cflag |= CS8;
            break;
    }
    tio.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD | CMSPAR);
    switch (s.parity) {
        case 1:
            tio.c_cflag |= PARENB | PARODD;
            break;
        case 2:
            tio.c_cflag |= PARENB;
            break;
        case 3:
            tio.c_cflag |= PARENB | PARODD | CMSPAR;
            break;
        case 4:
            tio.c_cflag |= PARENB | CMSPAR;
            break;
        default:
            break;
    }
    if (s.stopBits == 0) {
        tio.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
    } else {
        tio.c_cflag |= CSTOPB;  // one and a half stop bits has no termios form: two
    }
    tio.c_cflag |= CREAD | CLOCAL;
    tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    return true;
}

OpenFailure openFailureOf(int errorNumber) {
    switch (errorNumber) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case EIO:  // a serial device node without a port behind it
        case ENOTDIR:
            return OpenFailure::NoSuchDevice;
        case EACCES:
        case EPERM:
        case EROFS:
            return OpenFailure::NoPermission;
        case EBUSY:  // another opener set exclusive mode
            return OpenFailure::Busy;
        default:
            return OpenFailure::Other;
    }
}

unsigned speedOf(int baudRate) {
    switch (baudRate) {
        case 1200:
            return B1200;
        case 1800:
            return B1800;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return 0;
    }
}

PosixSerialLine::~PosixSerialLine() {
    close();
}

bool PosixSerialLine::open(const std::string& device, const LineSettings& settings) {
    close();
    openError_ = {};
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return fail(-1, openFailureOf(errno), errno);
    }
    // flock refuses a second opener even when it runs as root, which TIOCEXCL does not.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        return fail(fd, e == EWOULDBLOCK ? OpenFailure::Busy : OpenFailure::Other, e);
    }
    if (!::isatty(fd)) {
        return fail(fd, OpenFailure::NotASerialPort, 0);
    }
    if (::ioctl(fd, TIOCEXCL) != 0) {
        return fail(fd, OpenFailure::Other, errno);
    }
    if (!applySettings(fd, settings)) {
        return fail(fd, OpenFailure::SettingsRefused, errno);
    }
    fd_ = fd;
    return true;
}

bool PosixSerialLine::fail(int fd, OpenFailure failure, int errorNumber) {
    if (fd >= 0) {
        ::close(fd);
    }
    openError_ = {failure, errorNumber};
    return false;
}

ReadResult PosixSerialLine::readByte(int timeoutMs) {
    if (fd_ < 0) {
        return {ReadStatus::Failure, 0};
    }
    pollfd p{fd_, POLLIN, 0};
    int n;
    do {
        n = ::poll(&p, 1, timeoutMs);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        return {ReadStatus::Failure, 0};
    }
    if (n == 0) {
        return {ReadStatus::None, 0};
    }
    if ((p.revents & POLLIN) == 0) {
        return {ReadStatus::Failure, 0};  // hang-up or error without data
    }
    unsigned char byte = 0;
    ssize_t r;
    do {
        r = ::read(fd_, &byte, 1);
    } while (r < 0 && errno == EINTR);
    if (r == 1) {
        return {ReadStatus::Byte, byte};
    }
    if (r < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        return {ReadStatus::None, 0};
    }
    return {ReadStatus::Failure, 0};
}

bool PosixSerialLine::writeByte(unsigned char byte) {
    if (fd_ < 0) {
        return false;
    }
    for (int tries = 0; tries < 100; ++tries) {
        const ssize_t w = ::write(fd_, &byte, 1);
        if (w == 1) {
            return true;
        }
        if (w < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
            return false;
        }
        if (w < 0 && errno != EINTR) {
            pollfd p{fd_, POLLOUT, 0};
            ::poll(&p, 1, 50);  // output queue full: wait for room, at most 5 s in all
        }
    }
    return false;
}

void PosixSerialLine::drain() {
    if (fd_ >= 0) {
        ::tcdrain(fd_);
    }
}

void PosixSerialLine::purge() {
    if (fd_ >= 0) {
        ::tcflush(fd_, TCIFLUSH);
        ::tcflush(fd_, TCOFLUSH);
    }
}

void PosixSerialLine::setRts(bool on) {
    if (fd_ < 0) {
        return;
    }
    int bits = TIOCM_RTS;
    // A pseudo-terminal has no modem lines and refuses this; that is no error.
    (void)::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits);
}

void PosixSerialLine::close() {
    if (fd_ < 0) {
        return;
    }
    // The exclusive mode stays on the device as long as anyone holds it open (a simulator
    // holds its pseudo-terminal); clear it so the next pass can open it again.
    (void)::ioctl(fd_, TIOCNXCL);
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

std::unique_ptr<SerialLine> makePosixSerialLine() {
    return std::make_unique<PosixSerialLine>();
}

}  // namespace vorn
