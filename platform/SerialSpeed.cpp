#include "platform/SerialSpeed.h"

#if defined(__linux__)
#include <asm/termbits.h>
#include <sys/ioctl.h>
#endif

namespace vorn {

bool setExactSpeed(int fd, int baudRate) {
#if defined(__linux__) && defined(BOTHER)
    if (baudRate <= 0) {
        return false;
    }
    termios2 tio{};
    if (::ioctl(fd, TCGETS2, &tio) != 0) {
        return false;
    }
    tio.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    tio.c_ispeed = static_cast<speed_t>(baudRate);
    tio.c_ospeed = static_cast<speed_t>(baudRate);
    return ::ioctl(fd, TCSETS2, &tio) == 0;
#else
    (void)fd;
    (void)baudRate;
    return false;
#endif
}

int exactSpeed(int fd) {
#if defined(__linux__) && defined(BOTHER)
    termios2 tio{};
    return ::ioctl(fd, TCGETS2, &tio) == 0 ? static_cast<int>(tio.c_ospeed) : 0;
#else
    (void)fd;
    return 0;
#endif
}

}  // namespace vorn
