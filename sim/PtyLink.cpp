#include "sim/PtyLink.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <stdio.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vornsim {

PtyLink::~PtyLink() {
    if (slave_ >= 0) {
        ::close(slave_);
    }
    if (master_ >= 0) {
        ::close(master_);
    }
}

bool PtyLink::create(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(master_);
    if (name == nullptr) {
        error = "cannot name the pseudo-terminal";
        return false;
    }
    slaveName_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        error = std::string("cannot open ") + name + ": " + std::strerror(errno);
        return false;
    }
    termios tio{};
    ::tcgetattr(slave_, &tio);
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    ::tcsetattr(slave_, TCSANOW, &tio);
    return true;
}

std::optional<char> PtyLink::read(int timeoutMs) {
    pollfd p{master_, POLLIN, 0};
    const int n = ::poll(&p, 1, timeoutMs);
    if (n <= 0 || (p.revents & POLLIN) == 0) {
        if (n > 0) {
            ::usleep(static_cast<useconds_t>(timeoutMs) * 1000);  // no PC: do not spin
        }
        return std::nullopt;
    }
    char c = 0;
    if (::read(master_, &c, 1) != 1) {
        return std::nullopt;
    }
    reportLine();
    return c;
}

void PtyLink::reportLine() {
    termios tio{};
    if (reportPath_.empty() || ::tcgetattr(slave_, &tio) != 0) {
        return;
    }
    const tcflag_t size = tio.c_cflag & CSIZE;
    const char dataBits = size == CS5 ? '5' : size == CS6 ? '6' : size == CS7 ? '7' : '8';
    char parity = 'N';
    if ((tio.c_cflag & PARENB) != 0) {
        const bool odd = (tio.c_cflag & PARODD) != 0;
        parity = (tio.c_cflag & CMSPAR) != 0 ? (odd ? 'M' : 'S') : (odd ? 'O' : 'E');
    }
    const char stopBits = (tio.c_cflag & CSTOPB) != 0 ? '2' : '1';
    const std::string line = std::to_string(baud()) + " " + dataBits + parity + stopBits + "\n";
    if (line == lastLine_) {
        return;
    }
    const std::string text = reported_ + line;
    // Written whole under another name and renamed, so that a reader never sees half of it.
    const std::string temporary = reportPath_ + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return;
    }
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    if (written && ::rename(temporary.c_str(), reportPath_.c_str()) == 0) {
        reported_ = text;
        lastLine_ = line;
    }
}

void PtyLink::write(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        // A PC that reads nothing fills the line: what does not fit in a second is lost, as
        // on a wire, so that a scale that talks on never hangs here.
        pollfd p{master_, POLLOUT, 0};
        if (::poll(&p, 1, 1000) <= 0 || (p.revents & POLLOUT) == 0) {
            return;
        }
        const ssize_t w = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (w < 0 && errno == EINTR) {
            continue;
        }
        if (w <= 0) {
            return;
        }
        done += static_cast<std::size_t>(w);
    }
}

int PtyLink::baud() {
    termios tio{};
    if (::tcgetattr(slave_, &tio) != 0) {
        return 0;
    }
    switch (::cfgetospeed(&tio)) {
        case B1200:
            return 1200;
        case B2400:
            return 2400;
        case B4800:
            return 4800;
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        case B57600:
            return 57600;
        case B115200:
            return 115200;
        default:
            return 0;
    }
}

}  // namespace vornsim
